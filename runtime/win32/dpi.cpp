#include "runtime/win32/dpi.h"

#include "runtime/win32/handles.h"

namespace runtime::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow exists from Windows 10 1607 on, and not in every Wine.
GetDpiForWindowFunction getDpiForWindow() {
  static const auto function = [] {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC address = user32 != nullptr ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(address));
  }();
  return function;
}

}  // namespace

int dpiOf(HWND window) {
  if (const auto function = getDpiForWindow()) {
    if (const UINT dpi = function(window); dpi != 0) return static_cast<int>(dpi);
  }
  const ScreenDc screen(GetDC(nullptr));
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace runtime::win32
