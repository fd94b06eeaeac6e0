#include "runtime/win32/popup_menu.h"

#include "runtime/runtime_error.h"
#include "runtime/win32/handles.h"

namespace runtime::win32 {

UINT choosePopupItem(HINSTANCE instance, int menuId, HWND owner, POINT point, bool enabled,
                     const char* failure) {
  const UniqueMenu menu(LoadMenuW(instance, MAKEINTRESOURCEW(menuId)));
  const HMENU items = menu ? GetSubMenu(menu.get(), 0) : nullptr;
  if (items == nullptr) throw RuntimeError(failure);
  const UINT state = MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED);
  for (int item = 0; item < GetMenuItemCount(items); ++item)
    EnableMenuItem(items, static_cast<UINT>(item), state);
  return static_cast<UINT>(
      TrackPopupMenu(items, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr));
}

}  // namespace runtime::win32
