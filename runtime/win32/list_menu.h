#pragma once

#include <windows.h>

#include "runtime/form_core.h"
#include "runtime/win32/controls.h"

namespace runtime::win32 {

// What the user asks of a form's lists: Ctrl+C in a list copies its lines;
// its context menu offers "Copier", "Enregistrer la liste..." and "Voir le
// nuage de points..."; anywhere in the window, Ctrl+S saves the form's first
// list (or else its first picture box) and Ctrl+G asks for the first list's
// picture. When they act is the form's rule (FormCore::listActs); the menu's
// items are greyed otherwise.
class ListMenu {
 public:
  ListMenu(HINSTANCE instance, FormCore<Control>& form);

  // A message from the form's loop: Ctrl+S and Ctrl+G, turned into the
  // WM_COMMAND that command() handles, and Ctrl+C in a list. True when the key was one of them.
  bool keyPressed(HWND form, MSG& message);
  // For WM_COMMAND; false when it is not a shortcut's.
  bool command(WPARAM wParam, LPARAM lParam);
  // For WM_CONTEXTMENU from window, at position (-1 from the keyboard); false when window is no list.
  bool show(HWND form, HWND window, LPARAM position);

 private:
  void copy(HWND form, const Control& list) const;

  HINSTANCE instance_;
  HACCEL shortcuts_;
  FormCore<Control>& form_;
};

}  // namespace runtime::win32
