#pragma once

#include <QFont>

#include "runtime/layout.h"

namespace runtime::qt {

// The layout's font, with a face that Linux desktops have in place of a
// Windows face they lack: Liberation Sans for MS Sans Serif, narrow enough in
// bold that every text still fits its control.
QFont formFont(const FontLayout& font);

}  // namespace runtime::qt
