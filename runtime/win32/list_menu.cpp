#include "runtime/win32/list_menu.h"

// after windows.h
#include <commctrl.h>
#include <windowsx.h>

#include <exception>

#include "resources/resource_ids.h"
#include "runtime/win32/clipboard.h"
#include "runtime/win32/popup_menu.h"

namespace runtime::win32 {
namespace {

// Where WM_CONTEXTMENU's position says: at the mouse, or from the keyboard
// below the list's focused line when it shows, its first visible line otherwise.
POINT menuPosition(HWND listView, LPARAM position) {
  if (position != kMenuFromKeyboard) return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  RECT client{};
  GetClientRect(listView, &client);
  POINT point{client.left, client.top};  // an empty list's corner
  RECT line{};
  RECT shown{};
  const int focused = ListView_GetNextItem(listView, -1, LVNI_FOCUSED);
  const bool focusedShows = focused >= 0 && ListView_GetItemRect(listView, focused, &line, LVIR_LABEL) &&
                            IntersectRect(&shown, &line, &client);
  if (focusedShows || ListView_GetItemRect(listView, ListView_GetTopIndex(listView), &line, LVIR_LABEL)) {
    point = {line.left, line.bottom};
  }
  ClientToScreen(listView, &point);
  return point;
}

}  // namespace

ListMenu::ListMenu(HINSTANCE instance, FormCore<Control>& form)
    : instance_(instance),
      shortcuts_(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_SHORTCUTS))),
      form_(form) {}

bool ListMenu::keyPressed(HWND form, MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
    if (const Control* list = form_.controls().find(&Control::window, message.hwnd); list && list->list) {
      copy(form, *list);
      return true;
    }
  }
  return shortcuts_ != nullptr && TranslateAcceleratorW(form, shortcuts_, &message) != 0;
}

bool ListMenu::command(WPARAM wParam, LPARAM lParam) {
  // A shortcut's WM_COMMAND comes from no control and says 1.
  if (lParam != 0 || HIWORD(wParam) != 1) return false;
  switch (LOWORD(wParam)) {
    case IDM_LIST_SAVE:
      form_.requestSaveOfFirst();
      return true;
    case IDM_LIST_PICTURE:
      form_.requestPictureOfFirstList();
      return true;
    default:
      return false;
  }
}

bool ListMenu::show(HWND form, HWND window, LPARAM position) {
  const Control* list = form_.controls().find(&Control::window, window);
  if (list == nullptr || !list->list) return false;
  switch (choosePopupItem(instance_, IDR_LIST_MENU, form, menuPosition(window, position),
                          form_.listActs(*list), "Impossible d'afficher le menu de la liste.")) {
    case IDM_LIST_COPY:
      copy(form, *list);
      break;
    case IDM_LIST_SAVE:
      form_.requestSave(*list);
      break;
    case IDM_LIST_PICTURE:
      form_.requestPicture(*list);
      break;
    default:
      break;
  }
  return true;
}

void ListMenu::copy(HWND form, const Control& list) const {
  try {
    copyToClipboard(form, list.list->lines());
  } catch (const std::exception& error) {
    form_.reportError(error);
  }
}

}  // namespace runtime::win32
