// Hours of use in a minute: a hundred searches of mixed sizes in one window,
// some stopped with Escape, each replacing the list of the one before. Between
// rounds, what the process holds must come back to its level.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "beside_this_program.h"
#include "process_usage.h"
#include "remote_controls.h"
#include "search/triple_search.h"
#include "trivel_process.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;

constexpr int kRounds = 25;  // four searches a round
// Heap pages that stay with the process after a search freed them: allowed
// once, never growing round after round.
constexpr std::size_t kMemorySlack = 4u << 20;

int engineCount(std::int32_t lower, std::int32_t upper) {
  int count = 0;
  search::TripleSearch search(lower, upper);
  while (!search.finished()) count += static_cast<int>(search.next().size());
  return count;
}

void searchAndStop(const gui::RemoteControls& window) {
  window.setText(Texte1_0, L"1000000000");
  window.setText(Texte1_1, L"2147483647");
  window.postKey(Texte1_1, VK_RETURN);
  while (window.caption().find(L'%') == std::wstring::npos)
    ASSERT_TRUE(window.answersWithin(std::chrono::seconds(10)));
  window.postKey(Liste1, VK_ESCAPE);
  window.waitUntilIdle();
  ASSERT_EQ(window.listLine(window.listCount() - 1), L"calculs interrompus");
}

std::string describe(const gui::ProcessUsage& usage) {
  char text[160];
  std::snprintf(text, sizeof(text), "%.1f MB, %lu handles, %zu windows, %lu GDI, %lu USER objects",
                static_cast<double>(usage.privateBytes) / 1e6, usage.handles, usage.windows, usage.gdiObjects,
                usage.userObjects);
  return text;
}

TEST(Soak, AHundredSearchesLeaveNothingBehind) {
  const gui::TrivelProcess trivel(gui::besideThisProgram(L"trivel.exe"));
  const gui::RemoteControls window(trivel);
  const int largeCount = engineCount(1, 200'000);
  std::vector<gui::ProcessUsage> atRest;
  for (int round = 0; round < kRounds; ++round) {
    window.search(L"1", L"200000");
    ASSERT_EQ(window.listCount(), largeCount);
    ASSERT_NO_FATAL_FAILURE(searchAndStop(window));
    window.search(L"3", L"10");
    ASSERT_EQ(window.listCount(), 2);
    window.search(L"1", L"20");
    ASSERT_EQ(window.listCount(), 7);
    atRest.push_back(gui::usageOf(trivel.process(), trivel.threadId()));
  }
  std::printf("after the first round: %s\nafter the last round:  %s\n", describe(atRest.front()).c_str(),
              describe(atRest.back()).c_str());

  const gui::ProcessUsage& level = atRest.front();
  for (std::size_t round = 1; round < atRest.size(); ++round) {
    const gui::ProcessUsage& usage = atRest[round];
    EXPECT_LE(usage.privateBytes, level.privateBytes + kMemorySlack) << "round " << round;
    EXPECT_LE(usage.handles, level.handles) << "round " << round;
    EXPECT_EQ(usage.windows, level.windows) << "round " << round;
    EXPECT_LE(usage.gdiObjects, level.gdiObjects) << "round " << round;
    EXPECT_LE(usage.userObjects, level.userObjects) << "round " << round;
  }
  // Whatever the slack allows once must not keep growing.
  EXPECT_LE(atRest.back().privateBytes, atRest[atRest.size() / 2].privateBytes + kMemorySlack / 4);
}

}  // namespace
