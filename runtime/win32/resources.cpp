#include "runtime/win32/resources.h"

#include "runtime/runtime_error.h"
#include "runtime/win32/dpi.h"

namespace runtime::win32 {

UniqueBitmap loadPicture(HINSTANCE instance, int pictureId) {
  UniqueBitmap picture(static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!picture) throw pictureNotFound(pictureId);
  return picture;
}

namespace {

UniqueIcon loadIcon(HINSTANCE instance, int iconId, int size) {
  UniqueIcon icon(static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!icon) throw iconNotFound(iconId);
  return icon;
}

}  // namespace

WindowIcons::WindowIcons(HWND window, HINSTANCE instance, int iconId, int dpi)
    : small_(loadIcon(instance, iconId, systemMetric(SM_CXSMICON, dpi))),
      large_(loadIcon(instance, iconId, systemMetric(SM_CXICON, dpi))) {
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.get()));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_.get()));
}

}  // namespace runtime::win32
