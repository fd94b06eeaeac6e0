#pragma once

#include <QLineEdit>
#include <QSize>
#include <QWidget>

#include <span>

#include "runtime/control_table.h"
#include "runtime/layout.h"

namespace runtime::qt {

class LineList;
class PictureBox;

// A control of a form: its layout row and the widget made from it, which
// belongs to the form's window; for a text box the widget as one, for a list
// box its list, for a picture box the box.
struct Control {
  const ControlLayout* layout = nullptr;
  QWidget* widget = nullptr;
  QLineEdit* textBox = nullptr;
  LineList* list = nullptr;
  PictureBox* pictureBox = nullptr;
};

// Qt's pixels are pixels at 96 DPI, which it scales on denser screens.
inline constexpr int kLogicalDpi = 96;

// Creates the widget for one row of a form's layout, with its text, tooltip,
// picture and visibility, at the layout's place; the window gives it its colours.
Control createControl(QWidget& form, const ControlLayout& layout);

// Places a control that follows the window's size: its layout's place,
// grown by the window's growth beyond its layout's size (never below nothing).
void followFormSize(const Control& control, QSize growth);

// Names each text box for assistive technologies after its prompt, each
// other control after its layout row's accessible name.
void nameControls(std::span<const ControlLayout> rows, const ControlTable<Control>& controls);

}  // namespace runtime::qt
