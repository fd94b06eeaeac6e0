#include "runtime/win32/resources.h"

#include "runtime/runtime_error.h"

namespace runtime::win32 {

UniqueBitmap loadPicture(HINSTANCE instance, int pictureId) {
  UniqueBitmap picture(static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!picture) throw pictureNotFound(pictureId);
  return picture;
}

HICON loadIcon(HINSTANCE instance, int iconId, int size) {
  const UINT flags = size == 0 ? LR_DEFAULTSIZE | LR_SHARED : LR_SHARED;
  auto* const icon =
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, flags));
  if (icon == nullptr) throw iconNotFound(iconId);
  return icon;
}

}  // namespace runtime::win32
