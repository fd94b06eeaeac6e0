#include "runtime/win32/dpi.h"

#include "runtime/win32/handles.h"

namespace runtime::win32 {
namespace {

// A user32 function that exists from Windows 10 1607 on (and not in every
// Wine), looked up at run time so that the program still starts on Windows 7.
template <typename Function>
Function fromUser32(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const FARPROC address = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

int screenDpi() {
  const ScreenDc screen(GetDC(nullptr));
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int dpiOf(HWND window) {
  static const auto getDpiForWindow = fromUser32<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  return screenDpi();
}

int systemMetric(int index, int dpi) {
  static const auto getSystemMetricsForDpi =
      fromUser32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi != nullptr) return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, screenDpi());
}

void adjustWindowRect(RECT& rect, DWORD style, DWORD extendedStyle, int dpi) {
  static const auto adjustWindowRectExForDpi =
      fromUser32<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjustWindowRectExForDpi != nullptr) {
    adjustWindowRectExForDpi(&rect, style, FALSE, extendedStyle, static_cast<UINT>(dpi));
    return;
  }
  // Without per-window DPI the frame is the screen's, whatever the client's DPI.
  AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

}  // namespace runtime::win32
