#pragma once

#include <windows.h>

#include "runtime/win32/handles.h"

// The program's pictures and icons, by the resource ids of its layout.
namespace runtime::win32 {

UniqueBitmap loadPicture(HINSTANCE instance, int pictureId);
// A window's small and large icons at the sizes of a DPI, each its image drawn
// for that size or the nearest one scaled; the window keeps them until the next.
class WindowIcons {
 public:
  WindowIcons() = default;
  WindowIcons(HWND window, HINSTANCE instance, int iconId, int dpi);

 private:
  UniqueIcon small_;
  UniqueIcon large_;
};

}  // namespace runtime::win32
