#pragma once

#include <windows.h>

namespace runtime::win32 {

// The DPI a window is drawn at: its own on Windows versions that have one per
// window, the screen's otherwise.
int dpiOf(HWND window);

}  // namespace runtime::win32
