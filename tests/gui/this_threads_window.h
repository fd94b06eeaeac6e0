#pragma once

#include <windows.h>

// Keeps the form's window, the one that no other window owns (the tooltips are owned).
inline BOOL CALLBACK keepFormWindow(HWND window, LPARAM result) {
  if (GetWindow(window, GW_OWNER) != nullptr) return TRUE;
  *reinterpret_cast<HWND*>(result) = window;
  return FALSE;
}

// The form's window made in this process.
inline HWND thisThreadsWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &keepFormWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}
