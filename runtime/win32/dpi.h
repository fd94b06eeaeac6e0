#pragma once

#include <windows.h>

namespace runtime::win32 {

// The DPI a window is drawn at: its own on Windows versions that have one per
// window, the screen's otherwise.
int dpiOf(HWND window);

// A system metric at a DPI; on Windows versions before 10 1607, the screen's
// metric scaled from the screen's DPI.
int systemMetric(int index, int dpi);

// The window rectangle around a client rectangle at a DPI, frame measured as
// systemMetric() measures.
void adjustWindowRect(RECT& rect, DWORD style, DWORD extendedStyle, int dpi);

}  // namespace runtime::win32
