#pragma once

#include <windows.h>

#include "runtime/layout.h"

namespace runtime::win32 {

// Creates the native control for one row of a form's layout, with its text,
// style and id but no size yet: placeControl() puts it where the layout says.
// The control belongs to parent and is destroyed with it.
HWND createControl(HWND parent, const ControlLayout& control);

void placeControl(HWND window, const ControlLayout& control, UINT dpi);

// Shows text when the mouse rests on tool, through a tooltip window owned by
// (and destroyed with) tool's parent.
void addToolTip(HWND tool, std::string_view text);

}  // namespace runtime::win32
