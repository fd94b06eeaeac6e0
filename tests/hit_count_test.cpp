#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <vector>

#include "search/hit_count.h"
#include "search/primitive.h"
#include "tests/pair_reference.h"

namespace {

using search::countHits;
using search::Hits;

struct Counts {
  std::int64_t all;
  std::int64_t primitive;
  friend bool operator==(const Counts&, const Counts&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Counts& counts) {
    return out << counts.all << " hits, " << counts.primitive << " primitive";
  }
};

Counts countsOf(const std::vector<search::Hit>& hits) {
  return {static_cast<std::int64_t>(hits.size()), std::ranges::count_if(hits, search::isPrimitive)};
}

Counts countedHits(std::int32_t lower, std::int32_t upper) {
  return {countHits(lower, upper, Hits::All), countHits(lower, upper, Hits::Primitive)};
}

// Every pair of small bounds, of either sign, either order, or equal: the
// rows and columns of zeros, the four sign quadrants and empty loops.
TEST(HitCount, CountsThePairsOfEverySmallRange) {
  for (std::int32_t lower = -30; lower <= 40; ++lower) {
    for (std::int32_t upper = -30; upper <= 40; ++upper) {
      ASSERT_EQ(countedHits(lower, upper), countsOf(pairByPair(lower, upper))) << lower << " " << upper;
    }
  }
}

TEST(HitCount, CountsTheListedHitsOfRandomRanges) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::int32_t> bound(-4000, 4000);
  for (int round = 0; round < 300; ++round) {
    const std::int32_t lower = bound(random);
    const std::int32_t upper = bound(random);
    ASSERT_EQ(countedHits(lower, upper), countsOf(engineHits(lower, upper))) << lower << " " << upper;
  }
}

// Rows at the lowest bound reach j = -2^32, where the legs are longest.
TEST(HitCount, CountsTheListedHitsAtTheLowestBound) {
  constexpr std::int32_t kMin = INT32_MIN;
  for (const std::int32_t upper : {kMin, kMin + 2000}) {
    EXPECT_EQ(countedHits(kMin, upper), countsOf(engineHits(kMin, upper))) << upper;
  }
}

// Counts of ranges too long for the tests to list, listed by the program
// before the counts were computed.
TEST(HitCount, GivesTheKnownCountsOfLongRanges) {
  EXPECT_EQ(countHits(1, 1000000, Hits::All), 2269788);
  EXPECT_EQ(countHits(1, 10000000, Hits::All), 26809924);
  EXPECT_EQ(countHits(1, 40000000, Hits::All), 117143650);
  EXPECT_EQ(countHits(1, 100000000, Hits::All), 309224756);
  EXPECT_EQ(countHits(-10000000, 10000000, Hits::All), 248719450);
  EXPECT_EQ(countHits(1000000000, INT32_MAX, Hits::All), 18112162);
  EXPECT_EQ(countHits(950000000, INT32_MAX, Hits::All), 57324477);
  EXPECT_EQ(countHits(1, 10000000, Hits::Primitive), 1786011);
  EXPECT_EQ(countHits(1000000000, INT32_MAX, Hits::Primitive), 939653);
  EXPECT_EQ(countHits(950000000, INT32_MAX, Hits::Primitive), 2689871);
}

}  // namespace
