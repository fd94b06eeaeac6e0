// The window moved to a monitor of another scale: WM_DPICHANGED sent to a
// window made in this process, as Windows sends it, to 144 DPI and back.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "runtime/win32/form_registry.h"
#include "runtime/win32/form_window.h"
#include "tests/gui/this_threads_window.h"
#include "window/feuille1_layout.h"

namespace {

// What the window's DPI decides: its client area, each control's place, the
// font's height, the list's column and the icons' sizes.
struct Measures {
  SIZE client{};
  std::map<int, RECT> controls;
  LONG fontHeight = 0;
  int columnWidth = 0;
  int smallIcon = 0;
  int largeIcon = 0;
};

int iconSize(HWND window, WPARAM which) {
  auto* const icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

Measures measure(HWND window) {
  Measures measures;
  RECT client{};
  GetClientRect(window, &client);
  measures.client = {client.right, client.bottom};
  for (const runtime::ControlLayout& row : feuille1::layout().controls) {
    const HWND control = GetDlgItem(window, row.id);
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    measures.controls[row.id] = rect;
  }
  const HWND list = GetDlgItem(window, feuille1::Liste1);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof(font), &font);
  measures.fontHeight = font.lfHeight;
  measures.columnWidth = ListView_GetColumnWidth(list, 0);
  measures.smallIcon = iconSize(window, ICON_SMALL);
  measures.largeIcon = iconSize(window, ICON_BIG);
  return measures;
}

// Sends WM_DPICHANGED with the window rectangle Windows suggests: the window
// grown or shrunk to the client area at the new DPI, its frame kept.
void changeDpi(HWND window, int dpi, SIZE client) {
  RECT suggested{};
  GetWindowRect(window, &suggested);
  RECT current{};
  GetClientRect(window, &current);
  suggested.right += client.cx - current.right;
  suggested.bottom += client.cy - current.bottom;
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Every measure at scale times its 96-DPI value, give or take what rounding
// each one's pixels separately gives.
void expectScaled(const Measures& actual, const Measures& at96, double scale) {
  const int tolerance = scale == 1.0 ? 0 : 1;
  const auto expectNear = [&](long value, long value96, const char* what) {
    EXPECT_LE(std::abs(value - value96 * scale), tolerance + 0.5)
        << what << ": " << value << " for " << value96 << " at 96 DPI, scale " << scale;
  };
  EXPECT_EQ(actual.client.cx, std::lround(at96.client.cx * scale)) << "client width";
  EXPECT_EQ(actual.client.cy, std::lround(at96.client.cy * scale)) << "client height";
  for (const auto& [id, rect] : at96.controls) {
    const RECT& scaled = actual.controls.at(id);
    expectNear(scaled.left, rect.left, "left");
    expectNear(scaled.top, rect.top, "top");
    expectNear(scaled.right, rect.right, "right");
    expectNear(scaled.bottom, rect.bottom, "bottom");
  }
  expectNear(actual.fontHeight, at96.fontHeight, "font height");
  expectNear(actual.smallIcon, at96.smallIcon, "small icon");
  expectNear(actual.largeIcon, at96.largeIcon, "large icon");
  // The list's border keeps its pixels at any DPI: a column scaled with the list's inside.
  EXPECT_LE(std::abs(actual.columnWidth - at96.columnWidth * scale), 3 * tolerance + 0.5) << "column width";
}

TEST(DpiChange, LaysTheWholeWindowOutAt144DpiAndBackAt96) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  runtime::win32::FormRegistry forms(GetModuleHandleW(nullptr));
  const runtime::win32::FormWindow form(forms, feuille1::layout());
  const HWND window = thisThreadsWindow();
  ASSERT_NE(window, nullptr);
  const Measures at96 = measure(window);
  ASSERT_EQ(at96.client.cx, 466) << "the window does not start at 96 DPI";
  ASSERT_EQ(at96.smallIcon, 16);

  changeDpi(window, 144, {699, 330});
  expectScaled(measure(window), at96, 1.5);

  changeDpi(window, 96, at96.client);
  expectScaled(measure(window), at96, 1.0);
}

}  // namespace
