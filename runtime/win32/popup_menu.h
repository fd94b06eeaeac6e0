#pragma once

#include <windows.h>

namespace runtime::win32 {

// Shows the context menu of the executable's resources with id menuId at a
// point on the screen, every item enabled or every item greyed; the id of the
// item chosen, 0 when none was. failure is the error's message should the
// menu not show.
UINT choosePopupItem(HINSTANCE instance, int menuId, HWND owner, POINT point, bool enabled,
                     const char* failure);

// WM_CONTEXTMENU's position: from the keyboard (-1) or else at the mouse.
inline constexpr LPARAM kMenuFromKeyboard = -1;

}  // namespace runtime::win32
