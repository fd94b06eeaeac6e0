// Long searches in the real window: it stays responsive, shows its progress,
// stops on Escape or when closed, and stops filling its list at the ceiling.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "beside_this_program.h"
#include "remote_controls.h"
#include "trivel_process.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;
using std::chrono::milliseconds;

// A fresh trivel for each test, since one of them closes it.
class LongSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    trivel = std::make_unique<gui::TrivelProcess>(gui::besideThisProgram(L"trivel.exe"));
  }

  [[nodiscard]] gui::RemoteControls controls() const { return gui::RemoteControls(*trivel); }

  // Types the bounds and Enter, and returns once the search shows its progress.
  void startLongSearch(std::wstring_view lower, std::wstring_view upper) const {
    const auto window = controls();
    window.setText(Texte1_0, lower);
    window.setText(Texte1_1, upper);
    window.postKey(Texte1_1, VK_RETURN);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (window.caption().find(L'%') == std::wstring::npos) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no progress shown";
      ASSERT_TRUE(window.answersWithin(milliseconds(5000)));
    }
  }

  std::unique_ptr<gui::TrivelProcess> trivel;
};

TEST_F(LongSearch, StaysResponsiveAndStopsOnEscape) {
  startLongSearch(L"1000000000", L"2147483647");
  const auto window = controls();
  EXPECT_TRUE(window.isVisible(Label1));
  for (int n = 0; n < 10; ++n) EXPECT_TRUE(window.answersWithin(milliseconds(1000)));
  EXPECT_NE(window.caption().find(L"nombres  trivelliens : a\u00B2 + b\u00B2 = c\u00B2 \u2014 "),
            std::wstring::npos);

  window.postKey(Liste1, VK_ESCAPE);
  window.waitUntilIdle();
  const int count = window.listCount();
  ASSERT_GE(count, 1);
  EXPECT_EQ(window.listLine(count - 1), L"calculs interrompus");
  EXPECT_EQ(window.caption(), gui::kCaption);
  EXPECT_FALSE(window.isVisible(Label1));
}

TEST_F(LongSearch, EndsTheProgramWhenClosedDuringASearch) {
  startLongSearch(L"1000000000", L"2147483647");
  EXPECT_TRUE(trivel->close(std::chrono::seconds(10))) << "trivel did not end after WM_CLOSE";
  DWORD exitCode = 1;
  GetExitCodeProcess(trivel->process(), &exitCode);
  EXPECT_EQ(exitCode, 0U);
}

TEST_F(LongSearch, StopsFillingTheListAtTenMillionLines) {
  const auto window = controls();
  window.search(L"1", L"2147483647");
  EXPECT_EQ(window.listCount(), 10'000'001);
  EXPECT_EQ(window.listLine(0), L" 3  4  5");
  EXPECT_EQ(window.listLine(10'000'000), L"liste pleine : calculs arr\u00EAt\u00E9s");
  EXPECT_EQ(window.caption(), gui::kCaption);
}

}  // namespace
