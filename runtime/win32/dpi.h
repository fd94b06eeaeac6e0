#pragma once

#include <windows.h>

#include "runtime/layout.h"

namespace runtime::win32 {

// The DPI a window is drawn at: its own on Windows versions that have one per
// window, the screen's otherwise.
UINT dpiOf(HWND window);

inline int toPixels(Twips twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

}  // namespace runtime::win32
