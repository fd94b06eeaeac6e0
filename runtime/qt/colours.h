#pragma once

#include <QWidget>

#include "runtime/layout.h"

namespace runtime::qt {

// Gives a control the foreground and background colours of its layout row,
// where the row names any.
void applyColours(QWidget& widget, const ControlLayout& layout);

}  // namespace runtime::qt
