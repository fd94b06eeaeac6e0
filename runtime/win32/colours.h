#pragma once

#include <windows.h>

#include "runtime/layout.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

// The brush a control needs of its own for its layout row's background: one
// for an RGB colour, none otherwise.
UniqueBrush createBackground(const ControlLayout& control);

// Sets a static control's colours in dc as its layout row says, and returns
// the brush to paint its background with: its own, the system's, or
// platformBrush where the row leaves the background to the platform.
HBRUSH colourStatic(HDC dc, const ControlLayout& control, HBRUSH ownBrush, HBRUSH platformBrush);

}  // namespace runtime::win32
