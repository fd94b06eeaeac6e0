// A person at trivel's window: real key presses and mouse clicks go through
// the X server, Wine's keyboard state, the message loop's dialog navigation and
// the controls' own handling, as they do for a user. What they change is read
// back through the window system.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "search/result_line.h"
#include "search/triple_search.h"
#include "trivel_window_fixture.h"
#include "window/feuille1_layout.h"
#include "x_input.h"

namespace {

using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;
using Lines = std::vector<std::wstring>;

constexpr std::chrono::seconds kReactionTimeout(30);

// Key presses reach the program when it next reads its input, so what they
// change is awaited rather than read at once.
[[nodiscard]] bool eventually(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + kReactionTimeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The lines the search engine gives for the bounds, as the list shows them.
Lines engineLines(std::int32_t lower, std::int32_t upper) {
  Lines lines;
  search::TripleSearch search(lower, upper);
  search::ResultLine line;
  while (!search.finished()) {
    for (const search::Hit& hit : search.next()) {
      const std::string_view text = line.format(hit);
      lines.emplace_back(text.begin(), text.end());
    }
  }
  return lines;
}

POINT centreOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// What a person does: click into a control, empty a field, type a bound.
class PersonAt {
 public:
  explicit PersonAt(const gui::TrivelProcess& trivel) : trivel_(trivel), window_(trivel) {}

  void clickInto(int control) const {
    gui::x_input::click(centreOf(trivel_.control(control)));
    ASSERT_TRUE(eventually([&] { return window_.focus() == trivel_.control(control); }))
        << "the click did not put the focus in control " << control;
  }

  // Clicks into a bound's field, empties it with End and Backspace, types the bound.
  void typeBound(int field, std::string_view bound) const {
    clickInto(field);
    std::string deleteAll = "End";
    for (std::size_t n = window_.text(field).size(); n > 0; --n) deleteAll += " BackSpace";
    gui::x_input::keys(deleteAll);
    gui::x_input::type(bound);
    const std::wstring expected(bound.begin(), bound.end());
    ASSERT_TRUE(eventually([&] { return window_.text(field) == expected; }))
        << "the field shows " << testing::PrintToString(window_.text(field));
  }

  [[nodiscard]] bool listShows(const Lines& expected) const {
    return eventually([&] { return !window_.isVisible(Label1) && window_.listLines() == expected; });
  }

  // Starts a search that lasts, and returns once it is under way.
  void startLongSearch() const {
    typeBound(Texte1_0, "1000000000");
    typeBound(Texte1_1, "2147483647");
    gui::x_input::keys("Return");
    ASSERT_TRUE(eventually([&] { return window_.caption().find(L'%') != std::wstring::npos; }))
        << "the search never showed its progress";
  }

  [[nodiscard]] const gui::RemoteControls& window() const { return window_; }

 private:
  const gui::TrivelProcess& trivel_;
  gui::RemoteControls window_;
};

class RealKeys : public gui::TrivelWindow {
 protected:
  [[nodiscard]] static PersonAt person() { return PersonAt(*trivel); }
};

TEST_F(RealKeys, DigitsAndBackspaceChangeTheBound) {
  const PersonAt user = person();
  user.typeBound(Texte1_1, "200");
  gui::x_input::keys("BackSpace");
  ASSERT_TRUE(eventually([&] { return user.window().text(Texte1_1) == L"20"; }));
  gui::x_input::keys("Return");
  EXPECT_TRUE(user.listShows(engineLines(1, 20)));
}

TEST_F(RealKeys, EnterAndCtrlMSearchFromEitherField) {
  const PersonAt user = person();
  user.typeBound(Texte1_0, "1");
  user.typeBound(Texte1_1, "20");
  gui::x_input::keys("ctrl+m");
  EXPECT_TRUE(user.listShows(engineLines(1, 20))) << "Ctrl+M in the upper bound's field";

  user.typeBound(Texte1_0, "3");
  gui::x_input::keys("Return");
  EXPECT_TRUE(user.listShows(engineLines(3, 20))) << "Enter in the lower bound's field";

  user.typeBound(Texte1_0, "5");
  gui::x_input::keys("ctrl+m");
  EXPECT_TRUE(user.listShows(engineLines(5, 20))) << "Ctrl+M in the lower bound's field";

  user.typeBound(Texte1_1, "30");
  gui::x_input::keys("KP_Enter");
  EXPECT_TRUE(user.listShows(engineLines(5, 30))) << "the keypad's Enter in the upper bound's field";
}

TEST_F(RealKeys, TabAndShiftTabFollowTheTabOrder) {
  const PersonAt user = person();
  user.clickInto(Texte1_1);
  struct Step {
    const char* keys;
    int focus;
  };
  for (const Step& step : {Step{"Tab", Texte1_0}, Step{"Tab", Liste1}, Step{"Tab", Texte1_1},
                           Step{"shift+Tab", Liste1}, Step{"shift+Tab", Texte1_0}}) {
    gui::x_input::keys(step.keys);
    EXPECT_TRUE(eventually([&] { return user.window().focus() == trivel->control(step.focus); }))
        << step.keys << " should have moved the focus to control " << step.focus;
  }
}

TEST_F(RealKeys, AClickInTheListAndCtrlCCopyEveryLine) {
  const PersonAt user = person();
  user.typeBound(Texte1_0, "1");
  user.typeBound(Texte1_1, "20");
  gui::x_input::keys("Return");
  const Lines expected = engineLines(1, 20);
  ASSERT_TRUE(user.listShows(expected));

  user.clickInto(Liste1);
  gui::x_input::keys("ctrl+c");
  Lines pasted;
  EXPECT_TRUE(eventually([&] {
    pasted.clear();
    std::istringstream text(gui::x_input::clipboard());
    for (std::string line; std::getline(text, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      pasted.emplace_back(line.begin(), line.end());
    }
    return pasted == expected;
  })) << "the clipboard holds "
      << testing::PrintToString(pasted);
}

TEST_F(RealKeys, EscapeStopsALongSearch) {
  const PersonAt user = person();
  user.startLongSearch();
  gui::x_input::keys("Escape");
  EXPECT_TRUE(eventually([&] {
    const int count = user.window().listCount();
    return !user.window().isVisible(Label1) && count > 0 &&
           user.window().listLine(count - 1) == L"calculs interrompus";
  }));
  EXPECT_EQ(user.window().caption(), gui::kCaption);
}

TEST(RealKeysClosing, AltF4DuringASearchEndsTheProgram) {
  const gui::TrivelProcess trivel(gui::besideThisProgram(L"trivel.exe"));
  const PersonAt user(trivel);
  user.startLongSearch();
  gui::x_input::keys("alt+F4");
  ASSERT_EQ(WaitForSingleObject(trivel.process(), 20'000), WAIT_OBJECT_0) << "trivel did not end";
  DWORD exitCode = 1;
  GetExitCodeProcess(trivel.process(), &exitCode);
  EXPECT_EQ(exitCode, 0U);
}

}  // namespace
