// Trivel's real window, started and driven from outside through the window
// system only, as a user (or an accessibility tool) would.
#include <gtest/gtest.h>

#include <memory>
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

TEST_F(Search, ListsTheTriplesBetweenOneAndTwenty) {
  controls().search(L"1", L"20");
  EXPECT_EQ(controls().listLines(), (Lines{L" 3  4  5", L" 5  12  13", L" 6  8  10", L" 8  15  17",
                                           L" 9  12  15", L" 12  16  20", L" 15  20  25"}));
  EXPECT_FALSE(controls().isVisible(Label1));
}

TEST_F(Search, GivesEveryNumberItsSignPosition) {
  controls().search(L"-3", L"4");
  EXPECT_EQ(controls().listLines(),
            (Lines{L"-3 -4  5", L"-3  0  3", L"-3  4  5", L"-2  0  2", L"-1  0  1", L" 0 -3  3", L" 0 -2  2",
                   L" 0 -1  1", L" 0  0  0", L" 0  1  1", L" 0  2  2", L" 0  3  3", L" 0  4  4", L" 1  0  1",
                   L" 2  0  2", L" 3  0  3", L" 3  4  5", L" 4  3  5"}));
}

TEST_F(Search, SaysSoWhenThereIsNothingToList) {
  controls().search(L"3", L"10");
  EXPECT_EQ(controls().listLines(), (Lines{L"pas de nombres", L"entre  3 et 10"}));
}

TEST_F(Search, ReplacesTheListOfThePreviousSearch) {
  controls().search(L"1", L"20");
  controls().search(L"3", L"10");
  EXPECT_EQ(controls().listCount(), 2);
}

TEST_F(Search, IgnoresEnterWhileABoundIsZero) {
  const auto window = controls();
  window.search(L"1", L"20");
  window.setText(Texte1_0, L"0");
  window.pressEnter(Texte1_1);
  EXPECT_EQ(window.listCount(), 7) << "the list must not even be emptied";
  window.setText(Texte1_0, L"1");
  window.setText(Texte1_1, L"0");
  window.pressEnter(Texte1_1);
  EXPECT_EQ(window.listCount(), 7);
}

// Typing and deleting change the bound as they go; Enter typed as a
// character in either field starts the search.
TEST_F(Search, FollowsTheTextAsItIsTyped) {
  const auto window = controls();
  window.setText(Texte1_0, L"1");
  window.setText(Texte1_1, L"");
  for (const wchar_t typed : {L'2', L'0', L'0', L'\b'}) window.typeCharacter(Texte1_1, typed);
  EXPECT_EQ(window.text(Texte1_1), L"20");
  window.typeCharacter(Texte1_0, L'\r');
  EXPECT_EQ(window.listCount(), 7);
}

TEST_F(Search, ShowsTheBusyLabelWhileSearchingAMillion) {
  const auto window = controls();
  window.setText(Texte1_0, L"1");
  window.setText(Texte1_1, L"1000000");
  ASSERT_FALSE(window.isVisible(Label1));
  PostMessageW(trivel->control(Texte1_1), WM_CHAR, L'\r', 1);
  bool seenBusy = false;
  for (const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
       !seenBusy && std::chrono::steady_clock::now() < deadline;) {
    seenBusy = window.isVisible(Label1);
  }
  EXPECT_TRUE(seenBusy) << "Label1 never showed";
  window.waitUntilIdle();
  EXPECT_FALSE(window.isVisible(Label1));
  EXPECT_EQ(window.listCount(), 2'269'788);
  EXPECT_EQ(window.listLine(0), L" 3  4  5");
}

TEST_F(Search, MovesTheFocusInTabOrder) {
  const auto window = controls();
  const HWND upper = trivel->control(Texte1_1);
  ASSERT_EQ(window.focus(), upper);
  PostMessageW(upper, WM_KEYDOWN, VK_TAB, 1);
  window.flushQueue();
  EXPECT_EQ(window.focus(), trivel->control(Texte1_0));
}

}  // namespace
