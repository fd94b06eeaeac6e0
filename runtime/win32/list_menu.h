#pragma once

#include <windows.h>

#include "runtime/control_table.h"
#include "runtime/event_runner.h"
#include "runtime/win32/controls.h"

namespace runtime::win32 {

// What the user asks of a form's lists: Ctrl+C in a list copies its lines;
// its context menu offers "Copier" and "Enregistrer la liste..."; Ctrl+S
// anywhere in the window saves the form's first list. Saving is the form's
// code's to do, asked only while the list has lines and no event procedure
// runs; the menu's items are greyed otherwise.
class ListMenu {
 public:
  ListMenu(HINSTANCE instance, const ControlTable<Control>& controls, EventRunner& events);

  // Turns Ctrl+S into the WM_COMMAND that command() handles; true when message was it.
  bool translateShortcut(HWND form, MSG& message) const;
  // For WM_COMMAND; false when it is not the shortcut's.
  bool command(WPARAM wParam, LPARAM lParam);
  // For WM_CONTEXTMENU from window, at position (-1 from the keyboard); false when window is no list.
  bool show(HWND form, HWND window, LPARAM position);
  // For a key pressed in a list.
  static void keyDown(HWND form, const LineList& list, WORD key);

 private:
  void requestSave(const Control& list);
  [[nodiscard]] bool canSave(const LineList& list) const;

  HINSTANCE instance_;
  HACCEL shortcuts_;
  const ControlTable<Control>& controls_;
  EventRunner& events_;
};

}  // namespace runtime::win32
