#pragma once

#include <QLineEdit>
#include <QWidget>

#include <span>
#include <vector>

#include "runtime/layout.h"

namespace runtime::qt {

class LineList;

// A control of a form: its layout row and the widget made from it, which
// belongs to the form's window; for a text box the widget as one, for a list
// box its lines.
struct Control {
  const ControlLayout* layout = nullptr;
  QWidget* widget = nullptr;
  QLineEdit* textBox = nullptr;
  LineList* lines = nullptr;
};

// Device-independent pixels: 15 twips to a pixel, as at 96 DPI. Qt scales
// them on screens of higher density.
int toPixels(Twips twips);

// Creates the widget for one row of a form's layout, with its text, tooltip,
// picture, colours and visibility, at the layout's place.
Control createControl(QWidget& form, const ControlLayout& layout);

// Names the controls for assistive technologies: a label that comes right
// before a text box in the layout rows is that text box's prompt.
void nameControls(std::span<const ControlLayout> rows, const std::vector<Control>& controls);

}  // namespace runtime::qt
