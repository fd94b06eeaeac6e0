#include "runtime/win32/controls.h"

#include <commctrl.h>

#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/dpi.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

struct NativeKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

NativeKind nativeKind(const ControlLayout& control) {
  switch (control.kind) {
    case ControlKind::Image:
      // The picture is drawn inside a one-pixel frame, stretched to the frame's inside.
      return {L"STATIC", SS_BITMAP | SS_REALSIZECONTROL | WS_BORDER, 0};
    case ControlKind::Label:
      // One line, never wrapped: a text too wide is cut at the right edge
      // rather than losing every word after the last one that fits.
      return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::TextBox:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {WC_LISTVIEWW,
              LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
              WS_EX_CLIENTEDGE};
  }
  throw RuntimeError("Type de contrôle inconnu : " + std::string(control.name));
}

bool takesFocus(ControlKind kind) { return kind == ControlKind::TextBox || kind == ControlKind::ListBox; }

}  // namespace

HWND createControl(HWND parent, const ControlLayout& control) {
  const NativeKind native = nativeKind(control);
  DWORD style = WS_CHILD | native.style;
  if (control.visible) style |= WS_VISIBLE;
  if (takesFocus(control.kind) && control.tabIndex >= 0) style |= WS_TABSTOP;
  auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  const HWND window =
      CreateWindowExW(native.extendedStyle, native.className, widen(control.text).c_str(), style, 0, 0, 0, 0,
                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
  if (window == nullptr)
    throw RuntimeError("Impossible de créer le contrôle " + std::string(control.name) + ".");
  return window;
}

void placeControl(HWND window, const ControlLayout& control, UINT dpi) {
  if (!SetWindowPos(window, nullptr, toPixels(control.left, dpi), toPixels(control.top, dpi),
                    toPixels(control.width, dpi), toPixels(control.height, dpi),
                    SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw RuntimeError("Impossible de placer le contrôle " + std::string(control.name) + ".");
  }
}

void addToolTip(HWND tool, std::string_view text) {
  const HWND parent = GetParent(tool);
  auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  const HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
  if (tip == nullptr) throw RuntimeError("Impossible de créer l'info-bulle.");
  std::wstring wideText = widen(text);
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = parent;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = wideText.data();
  if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
    throw RuntimeError("Impossible d'attacher l'info-bulle.");
  }
}

}  // namespace runtime::win32
