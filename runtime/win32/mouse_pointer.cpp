#include "runtime/win32/mouse_pointer.h"

namespace runtime::win32 {

void showMousePointer(HWND form, MousePointer pointer) {
  if (pointer == MousePointer::Hourglass) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  POINT position{};
  if (!GetCursorPos(&position)) return;
  const HWND under = WindowFromPoint(position);
  if (under == nullptr || (under != form && !IsChild(form, under))) return;
  const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(position.x, position.y));
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

}  // namespace runtime::win32
