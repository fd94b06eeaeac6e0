// High contrast on a window made in this process, the system's answer given
// by the test (Wine's is always no): the busy label's colours as the window
// paints it, asked again at each paint.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "runtime/win32/form_registry.h"
#include "runtime/win32/form_window.h"
#include "tests/gui/this_threads_window.h"
#include "window/feuille1_layout.h"

namespace {

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// The text colour, background colour and brush the window gives a control.
std::tuple<COLORREF, COLORREF, HBRUSH> paintColours(HWND window, int control) {
  const std::unique_ptr<HDC__, DcDeleter> dc(CreateCompatibleDC(nullptr));
  auto* const brush =
      reinterpret_cast<HBRUSH>(SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                            reinterpret_cast<LPARAM>(GetDlgItem(window, control))));
  return {GetTextColor(dc.get()), GetBkColor(dc.get()), brush};
}

TEST(HighContrast, PaintsTheBusyLabelInTheSystemsColoursWhileItIsOn) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  bool highContrast = false;
  runtime::win32::FormRegistry forms(GetModuleHandleW(nullptr));
  const runtime::win32::FormWindow form(forms, feuille1::layout(), [&highContrast] { return highContrast; });
  const HWND window = thisThreadsWindow();
  ASSERT_NE(window, nullptr);
  const auto [red, lightYellow, ownBrush] = paintColours(window, feuille1::Label1);
  EXPECT_EQ(red, RGB(255, 0, 0));
  EXPECT_EQ(lightYellow, RGB(255, 255, 192));

  highContrast = true;
  EXPECT_EQ(
      paintColours(window, feuille1::Label1),
      std::tuple(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), GetSysColorBrush(COLOR_WINDOW)));

  highContrast = false;
  EXPECT_EQ(paintColours(window, feuille1::Label1), std::tuple(red, lightYellow, ownBrush));
}

}  // namespace
