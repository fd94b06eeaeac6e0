#pragma once

#include <windows.h>

#include "runtime/win32/handles.h"

// The program's pictures and icons, by the resource ids of its layout.
namespace runtime::win32 {

UniqueBitmap loadPicture(HINSTANCE instance, int pictureId);
// The icon at size pixels, the default size for 0, kept by the system for the program's life.
HICON loadIcon(HINSTANCE instance, int iconId, int size);

}  // namespace runtime::win32
