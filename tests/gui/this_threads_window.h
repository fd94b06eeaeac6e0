#pragma once

#include <windows.h>

// The form's window made in this process: the one of this thread's windows
// that no other window owns (the tooltips are owned).
inline HWND thisThreadsWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        if (GetWindow(window, GW_OWNER) != nullptr) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}
