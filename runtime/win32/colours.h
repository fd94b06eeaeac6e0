#pragma once

#include <windows.h>

#include "runtime/layout.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

// The brush of a control's own for an RGB background, none for other colours.
UniqueBrush createBackground(const ControlLayout& control);

// Whether the user has turned high contrast on.
bool systemHighContrast();

// Sets a static control's colours in dc and returns the brush for its
// background: its own, the system's, or platformBrush for the platform's. In
// high contrast, a control of RGB colours takes the system's window colours.
HBRUSH colourStatic(HDC dc, const ControlLayout& control, HBRUSH ownBrush, HBRUSH platformBrush,
                    bool highContrast);

}  // namespace runtime::win32
