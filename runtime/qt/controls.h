#pragma once

#include <QLineEdit>
#include <QWidget>

#include <span>

#include "runtime/control_table.h"
#include "runtime/layout.h"

namespace runtime::qt {

class LineList;

// A control of a form: its layout row and the widget made from it, which
// belongs to the form's window; for a text box the widget as one, for a list
// box its list.
struct Control {
  const ControlLayout* layout = nullptr;
  QWidget* widget = nullptr;
  QLineEdit* textBox = nullptr;
  LineList* list = nullptr;
};

// Qt's pixels are pixels at 96 DPI, which it scales on denser screens.
inline constexpr int kLogicalDpi = 96;

// Creates the widget for one row of a form's layout, with its text, tooltip,
// picture and visibility, at the layout's place; the window gives it its colours.
Control createControl(QWidget& form, const ControlLayout& layout);

// Names each text box for assistive technologies after its prompt, each list after its name.
void nameControls(std::span<const ControlLayout> rows, const ControlTable<Control>& controls);

}  // namespace runtime::qt
