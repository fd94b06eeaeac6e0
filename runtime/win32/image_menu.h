#pragma once

#include <windows.h>

#include "runtime/form_core.h"
#include "runtime/win32/controls.h"

namespace runtime::win32 {

// What the user asks of a form's picture boxes: the context menu (a right
// click, the menu key, Shift+F10) offers "Enregistrer l'image...", greyed
// while the box may not act (FormCore::acts); Ctrl+S, the form's shortcut,
// saves the first picture box of a form without a list (ListMenu handles it).
class ImageMenu {
 public:
  ImageMenu(HINSTANCE instance, FormCore<Control>& form) : instance_(instance), form_(form) {}

  // For WM_CONTEXTMENU from window, at position (-1 from the keyboard); false when window is no picture box.
  bool show(HWND form, HWND window, LPARAM position);

 private:
  HINSTANCE instance_;
  FormCore<Control>& form_;
};

}  // namespace runtime::win32
