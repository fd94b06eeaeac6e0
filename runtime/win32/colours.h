#pragma once

#include <windows.h>

#include "runtime/layout.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

// A layout colour other than the platform default, as Windows draws it.
COLORREF colourRef(Colour colour);
// The system's own brush for a system colour (never deleted).
HBRUSH systemBrush(Colour colour);
UniqueBrush createBrush(Colour colour);

}  // namespace runtime::win32
