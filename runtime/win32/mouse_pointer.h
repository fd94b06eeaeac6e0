#pragma once

#include <windows.h>

#include "runtime/form.h"

namespace runtime::win32 {

// Shows a form's mouse pointer at once, not at the mouse's next move: the
// hourglass, or for the default the one the window under the mouse chooses.
void showMousePointer(HWND form, MousePointer pointer);

}  // namespace runtime::win32
