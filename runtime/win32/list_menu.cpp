#include "runtime/win32/list_menu.h"

// after windows.h
#include <commctrl.h>
#include <windowsx.h>

#include <exception>
#include <memory>
#include <type_traits>

#include "resources/resource_ids.h"
#include "runtime/runtime_error.h"
#include "runtime/win32/clipboard.h"

namespace runtime::win32 {
namespace {

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

constexpr LPARAM kFromKeyboard = -1;

// Where WM_CONTEXTMENU's position says: at the mouse, or from the keyboard
// below the list's focused line when it shows, its first visible line otherwise.
POINT menuPosition(HWND listView, LPARAM position) {
  if (position != kFromKeyboard) return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
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

// The menu item chosen at a point, 0 when none was.
UINT chooseItem(HINSTANCE instance, HWND form, POINT point, bool enabled) {
  const UniqueMenu menu(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_LIST_MENU)));
  const HMENU items = menu ? GetSubMenu(menu.get(), 0) : nullptr;
  if (items == nullptr) throw RuntimeError("Impossible d'afficher le menu de la liste.");
  const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(items, IDM_LIST_COPY, state);
  EnableMenuItem(items, IDM_LIST_SAVE, state);
  return static_cast<UINT>(
      TrackPopupMenu(items, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, form, nullptr));
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
  // The shortcut's WM_COMMAND comes from no control and says 1.
  if (lParam != 0 || HIWORD(wParam) != 1 || LOWORD(wParam) != IDM_LIST_SAVE) return false;
  form_.requestSaveOfFirst();
  return true;
}

bool ListMenu::show(HWND form, HWND window, LPARAM position) {
  const Control* list = form_.controls().find(&Control::window, window);
  if (list == nullptr || !list->list) return false;
  switch (chooseItem(instance_, form, menuPosition(window, position), form_.listActs(*list))) {
    case IDM_LIST_COPY:
      copy(form, *list);
      break;
    case IDM_LIST_SAVE:
      save(*list);
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

void ListMenu::save(const Control& list) { form_.requestSave(list); }

}  // namespace runtime::win32
