#include "runtime/win32/image_menu.h"

// after windows.h
#include <windowsx.h>

#include "resources/resource_ids.h"
#include "runtime/win32/popup_menu.h"

namespace runtime::win32 {

bool ImageMenu::show(HWND form, HWND window, LPARAM position) {
  const Control* box = form_.controls().find(&Control::window, window);
  if (box == nullptr || !box->pictureBox) return false;
  // From the keyboard, at the box's top-left corner.
  POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (position == kMenuFromKeyboard) {
    point = {0, 0};
    ClientToScreen(window, &point);
  }
  if (choosePopupItem(instance_, IDR_IMAGE_MENU, form, point, form_.acts(*box),
                      "Impossible d'afficher le menu de l'image.") == IDM_IMAGE_SAVE) {
    form_.requestSave(*box);
  }
  return true;
}

}  // namespace runtime::win32
