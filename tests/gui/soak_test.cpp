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
#include "tests/pair_reference.h"
#include "trivel_process.h"
#include "window/feuille1_layout.h"

namespace {

using feuille1::Liste1;

constexpr int kRounds = 25;  // four searches a round
// Heap pages that stay with the process after a search freed them: allowed
// once, never growing round after round.
constexpr std::size_t kMemorySlack = 4u << 20;

void searchAndStop(const gui::RemoteControls& window) {
  ASSERT_TRUE(window.startLongSearch(L"1000000000", L"2147483647"));
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

// The searches of a round, each followed by a look at what the process holds.
constexpr int kSearchesPerRound = 4;

void runSearch(const gui::RemoteControls& window, int which, int largeCount) {
  switch (which) {
    case 0:
      window.search(L"1", L"200000");
      ASSERT_EQ(window.listCount(), largeCount);
      break;
    case 1:
      ASSERT_NO_FATAL_FAILURE(searchAndStop(window));
      break;
    case 2:
      window.search(L"3", L"10");
      ASSERT_EQ(window.listCount(), 2);
      break;
    default:
      window.search(L"1", L"20");
      ASSERT_EQ(window.listCount(), 7);
      break;
  }
}

// The search stopped with Escape lists as many lines as it found by then,
// which varies from run to run: after it, only the counts of objects compare.
void expectAtLevel(const gui::ProcessUsage& usage, const gui::ProcessUsage& level, int search) {
  if (search % kSearchesPerRound != 1) {
    EXPECT_LE(usage.privateBytes, level.privateBytes + kMemorySlack) << "search " << search;
  }
  EXPECT_LE(usage.handles, level.handles) << "search " << search;
  EXPECT_EQ(usage.windows, level.windows) << "search " << search;
  EXPECT_LE(usage.gdiObjects, level.gdiObjects) << "search " << search;
  EXPECT_LE(usage.userObjects, level.userObjects) << "search " << search;
}

TEST(Soak, AHundredSearchesLeaveNothingBehind) {
  const gui::TrivelProcess trivel(gui::besideThisProgram(L"trivel.exe"));
  const gui::RemoteControls window(trivel);
  const auto largeCount = static_cast<int>(engineHits(1, 200'000).size());
  // After each search, compared with the same search of the first round.
  std::vector<gui::ProcessUsage> usage;
  for (int search = 0; search < kRounds * kSearchesPerRound; ++search) {
    ASSERT_NO_FATAL_FAILURE(runSearch(window, search % kSearchesPerRound, largeCount));
    usage.push_back(gui::usageOf(trivel.process(), trivel.threadId()));
    if (search >= kSearchesPerRound)
      expectAtLevel(usage.back(), usage[static_cast<std::size_t>(search % kSearchesPerRound)], search);
  }
  std::printf("after the first round: %s\nafter the last round:  %s\n",
              describe(usage[kSearchesPerRound - 1]).c_str(), describe(usage.back()).c_str());
  // Whatever the slack allows once must not keep growing: the last round ends
  // where the middle one did.
  const std::size_t middleRoundEnd = (kRounds / 2 + 1) * kSearchesPerRound - 1;
  EXPECT_LE(usage.back().privateBytes, usage[middleRoundEnd].privateBytes + kMemorySlack / 4);
}

}  // namespace
