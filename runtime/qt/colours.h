#pragma once

#include <QWidget>

#include "runtime/layout.h"

namespace runtime::qt {

// Gives a control the foreground and background colours of its layout row,
// where the row names any. In high contrast, a control of RGB colours takes
// the system's window colours instead.
void applyColours(QWidget& widget, const ControlLayout& layout, bool highContrast);

}  // namespace runtime::qt
