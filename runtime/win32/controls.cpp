#include "runtime/win32/controls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "runtime/runtime_error.h"
#include "runtime/win32/accessible_name.h"
#include "runtime/win32/colours.h"
#include "runtime/win32/resources.h"
#include "runtime/win32/text.h"

namespace runtime::win32 {
namespace {

HINSTANCE instanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

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
    case ControlKind::PictureBox:
      return {kPictureBoxClass, 0, 0};
  }
  throw unknownControlKind(control);
}

HWND createWindow(HWND parent, const ControlLayout& control) {
  const NativeKind native = nativeKind(control);
  DWORD style = WS_CHILD | native.style;
  if (control.visible) style |= WS_VISIBLE;
  if (takesFocus(control)) style |= WS_TABSTOP;
  const HWND window = CreateWindowExW(
      native.extendedStyle, native.className, widen(control.text).c_str(), style, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instanceOf(parent), nullptr);
  if (window == nullptr)
    throw RuntimeError("Impossible de créer le contrôle " + std::string(control.name) + ".");
  return window;
}

// Shows text when the mouse rests on tool, through a tooltip window owned by
// (and destroyed with) tool's parent.
void addToolTip(HWND tool, std::string_view text) {
  const HWND parent = GetParent(tool);
  const HWND tip = CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instanceOf(parent), nullptr);
  if (tip == nullptr) throw RuntimeError("Impossible de créer l'info-bulle.");
  std::wstring wideText = widen(text);
  TTTOOLINFOW info{.cbSize = sizeof(TTTOOLINFOW),
                   .uFlags = TTF_IDISHWND | TTF_SUBCLASS,
                   .hwnd = parent,
                   .uId = reinterpret_cast<UINT_PTR>(tool),
                   .lpszText = wideText.data()};
  if (!SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info))) {
    throw RuntimeError("Impossible d'attacher l'info-bulle.");
  }
}

}  // namespace

Control createControl(HWND parent, const ControlLayout& layout) {
  Control control{.layout = &layout, .window = createWindow(parent, layout)};
  if (layout.kind == ControlKind::Image && layout.pictureId != 0) {
    control.picture = loadPicture(instanceOf(parent), layout.pictureId);
    SendMessageW(control.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(control.picture.get()));
  }
  if (layout.kind == ControlKind::ListBox) control.list = std::make_unique<LineList>(control.window);
  if (layout.kind == ControlKind::PictureBox)
    control.pictureBox = std::make_unique<PictureBox>(control.window);
  // A list or a picture box shows no window text, which can carry its name (a
  // text box is named by its prompt).
  if ((control.list || control.pictureBox) && !layout.accessibleName.empty()) {
    nameForScreenReaders(control.window, layout.accessibleName);
  }
  if (!layout.toolTip.empty()) addToolTip(control.window, layout.toolTip);
  control.background = createBackground(layout);
  return control;
}

namespace {

void place(const Control& control, const FormLayout& form, int dpi) {
  const ControlLayout& layout = *control.layout;
  int width = toPixels(layout.width, dpi);
  int height = toPixels(layout.height, dpi);
  if (followsFormSize(layout)) {
    RECT client{};
    GetClientRect(GetParent(control.window), &client);
    const int right = toPixels(form.clientWidth - layout.left - layout.width, dpi);
    const int bottom = toPixels(form.clientHeight - layout.top - layout.height, dpi);
    width = std::max(0, static_cast<int>(client.right) - toPixels(layout.left, dpi) - right);
    height = std::max(0, static_cast<int>(client.bottom) - toPixels(layout.top, dpi) - bottom);
  }
  if (!SetWindowPos(control.window, nullptr, toPixels(layout.left, dpi), toPixels(layout.top, dpi), width,
                    height, SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw RuntimeError("Impossible de placer le contrôle " + std::string(layout.name) + ".");
  }
}

}  // namespace

void placeControls(const ControlTable<Control>& controls, const FormLayout& form, HFONT font, int dpi) {
  for (const Control& control : controls) {
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    place(control, form, dpi);
    if (control.list) control.list->fitColumn(dpi);
  }
}

void followClientArea(const ControlTable<Control>& controls, const FormLayout& form, int dpi) {
  for (const Control& control : controls) {
    if (followsFormSize(*control.layout)) place(control, form, dpi);
  }
}

PictureBox& pictureBox(const ControlTable<Control>& controls, ControlId id) {
  const Control& control = controls[id];
  if (!control.pictureBox) {
    throw RuntimeError("Le contrôle " + std::string(control.layout->name) + " n'est pas une zone d'image.");
  }
  return *control.pictureBox;
}

void repaintInNewColours(HWND form, const ControlTable<Control>& controls) {
  for (const Control& control : controls) {
    if (control.list) SendMessageW(control.window, WM_SYSCOLORCHANGE, 0, 0);  // common controls need telling
  }
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace runtime::win32
