// Trivel's real window, started and driven from outside through the window
// system only, as an accessibility tool would: what the Windows window adds
// to Feuille1 (keys and clicks are the real-input test's).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "trivel_window_fixture.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;
using gui::TrivelWindow;
using Lines = std::vector<std::wstring>;

class AtStart : public TrivelWindow {};
class Search : public TrivelWindow {};

TEST_F(AtStart, AsksForTheUpperBoundWithNothingListed) {
  const auto window = controls();
  EXPECT_EQ(window.text(Texte1_0), L"1");
  EXPECT_EQ(window.text(Texte1_1), L"");
  EXPECT_EQ(window.focus(), trivel->control(Texte1_1));
  EXPECT_FALSE(window.isVisible(Label1));
  EXPECT_TRUE(window.isVisible(Liste1));
  EXPECT_EQ(window.listCount(), 0);
}

TEST_F(AtStart, ExplainsTheUpperBoundInATooltip) {
  const HWND upper = trivel->control(Texte1_1);
  bool found = false;
  for (const gui::ToolTip& tip : controls().toolTips()) {
    if (tip.tool == upper) {
      found = true;
      EXPECT_EQ(tip.text, L"donnez la borne sup\u00E9rieure et validez");
    }
  }
  EXPECT_TRUE(found) << "no tooltip on the upper bound's field";
}

// What the list adds to the search: it shows millions of lines, and the
// busy label shows while they come.
TEST_F(Search, ShowsTheBusyLabelWhileSearchingAMillion) {
  const auto window = controls();
  window.setText(Texte1_0, L"1");
  window.setText(Texte1_1, L"1000000");
  ASSERT_FALSE(window.isVisible(Label1));
  PostMessageW(trivel->control(Texte1_1), WM_CHAR, L'\r', 1);
  EXPECT_TRUE(gui::waitUntil([&] { return window.isVisible(Label1); }, std::chrono::seconds(30)))
      << "Label1 never showed";
  window.waitUntilIdle();
  EXPECT_FALSE(window.isVisible(Label1));
  EXPECT_EQ(window.listCount(), 2'269'788);
  EXPECT_EQ(window.listLine(0), L" 3  4  5");
}

TEST_F(Search, HoldsTenMillionLinesAndReplacesThem) {
  const auto window = controls();
  window.search(L"1", L"2147483647");
  ASSERT_EQ(window.listCount(), 10'000'001);
  EXPECT_EQ(window.listLine(0), L" 3  4  5");
  EXPECT_EQ(window.listLine(10'000'000), L"liste pleine : calculs arr\u00EAt\u00E9s");
  window.search(L"1", L"5");
  EXPECT_EQ(window.listLines(), Lines{L" 3  4  5"});
}

}  // namespace
