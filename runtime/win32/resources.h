#pragma once

#include <windows.h>

#include "runtime/win32/handles.h"

// The program's pictures and icons, by the resource ids of its layout.
namespace runtime::win32 {

UniqueBitmap loadPicture(HINSTANCE instance, int pictureId);
// The icon's image of size pixels square, the system's default size for 0.
// Shared: the system keeps it as long as the program runs.
HICON loadIcon(HINSTANCE instance, int iconId, int size);

}  // namespace runtime::win32
