#include <gtest/gtest.h>

#include <cstdint>

#include "tests/event_sequence.h"

namespace {

constexpr std::uint32_t kSequences = 2000;
constexpr int kStepsPerSequence = 40;

TEST(Feuille1Property, RandomEventSequencesKeepTheWindowConsistent) {
  for (std::uint32_t seed = 1; seed <= kSequences; ++seed) {
    EventSequence sequence(seed);
    if (const auto broken = sequence.play(kStepsPerSequence)) {
      FAIL() << "broken: " << *broken << "\nreplay with Feuille1Test:\n" << sequence.transcript();
    }
  }
}

}  // namespace
