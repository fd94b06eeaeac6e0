#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "search/result_line.h"
#include "search/slice.h"
#include "search/triple_search.h"
#include "tests/pair_reference.h"

namespace {

using search::Hit;

constexpr std::int32_t kMin = INT32_MIN;
constexpr std::int32_t kMax = INT32_MAX;

TEST(TripleSearch, ListsTheHitsOfKnownRangesInLoopOrder) {
  EXPECT_EQ(engineHits(1, 5), (std::vector<Hit>{{3, 4, 5}}));
  EXPECT_EQ(engineHits(1, 20),
            (std::vector<Hit>{
                {3, 4, 5}, {5, 12, 13}, {6, 8, 10}, {8, 15, 17}, {9, 12, 15}, {12, 16, 20}, {15, 20, 25}}));
  // The inner index starts at i + lower: with lower 2 the pair 3, 4 is never tried.
  EXPECT_EQ(engineHits(2, 30), (std::vector<Hit>{{5, 12, 13},
                                                 {6, 8, 10},
                                                 {7, 24, 25},
                                                 {8, 15, 17},
                                                 {9, 12, 15},
                                                 {10, 24, 26},
                                                 {12, 16, 20},
                                                 {15, 20, 25},
                                                 {16, 30, 34},
                                                 {18, 24, 30},
                                                 {21, 28, 35}}));
  // A negative lower bound gives both orders of a pair and zero indices.
  EXPECT_EQ(engineHits(-3, 4), (std::vector<Hit>{{-3, -4, 5},
                                                 {-3, 0, 3},
                                                 {-3, 4, 5},
                                                 {-2, 0, 2},
                                                 {-1, 0, 1},
                                                 {0, -3, 3},
                                                 {0, -2, 2},
                                                 {0, -1, 1},
                                                 {0, 0, 0},
                                                 {0, 1, 1},
                                                 {0, 2, 2},
                                                 {0, 3, 3},
                                                 {0, 4, 4},
                                                 {1, 0, 1},
                                                 {2, 0, 2},
                                                 {3, 0, 3},
                                                 {3, 4, 5},
                                                 {4, 3, 5}}));
}

TEST(TripleSearch, FindsNothingWhereTheLoopsFindNothing) {
  EXPECT_TRUE(engineHits(3, 10).empty());
  EXPECT_TRUE(engineHits(1, 1).empty());
  EXPECT_TRUE(engineHits(5, 2).empty());
  EXPECT_TRUE(engineHits(2000000000, 2000000000).empty());
  EXPECT_TRUE(engineHits(kMax, kMax).empty());
  EXPECT_TRUE(engineHits(0, -1).empty());
}

TEST(TripleSearch, AgreesWithThePairByPairLoopsOnEverySmallRange) {
  for (std::int32_t lower = -40; lower <= 60; ++lower) {
    for (std::int32_t upper = -40; upper <= 60; ++upper) {
      ASSERT_EQ(engineHits(lower, upper), pairByPair(lower, upper)) << "bounds " << lower << " and " << upper;
    }
  }
}

// The hits of the loops over a large box, computed once; the hits of any
// range inside it are the box's hits with i and j in that range's loops.
class BoxReference {
 public:
  BoxReference(std::int32_t lower, std::int32_t upper) : lower_(lower), upper_(upper) {
    hits_ = pairByPair(lower, upper, 2 * std::int64_t{lower}, upper);
  }
  [[nodiscard]] std::vector<Hit> hitsOf(std::int32_t lower, std::int32_t upper) const {
    std::vector<Hit> hits;
    for (const Hit& hit : hits_) {
      if (hit.i >= lower && hit.i <= upper && hit.j >= hit.i + lower && hit.j <= upper) {
        hits.push_back(hit);
      }
    }
    return hits;
  }
  [[nodiscard]] std::int32_t lower() const { return lower_; }
  [[nodiscard]] std::int32_t upper() const { return upper_; }

 private:
  std::int32_t lower_;
  std::int32_t upper_;
  std::vector<Hit> hits_;
};

void expectRandomRangesAgree(const BoxReference& box, int count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::int32_t> width(0, 3000);
  for (int n = 0; n < count; ++n) {
    const std::int32_t w = std::min(width(random), box.upper() - box.lower());
    const std::int32_t lower =
        std::uniform_int_distribution<std::int32_t>(box.lower(), box.upper() - w)(random);
    const std::int32_t upper = lower + w;
    ASSERT_EQ(engineHits(lower, upper), box.hitsOf(lower, upper)) << "bounds " << lower << " and " << upper;
  }
}

TEST(TripleSearch, AgreesWithThePairByPairLoopsOnRandomRanges) {
  expectRandomRangesAgree(BoxReference(1, 12000), 1500, 1);
  // Negative lower bounds: the box's inner index reaches twice its lower bound.
  expectRandomRangesAgree(BoxReference(-3000, 3000), 1000, 2);
}

// Single rows -m with m near 2^31, whose legs are those of m: the hits with
// |j| just above m, where i² and j² near 2^62, against the loops over those
// j's. Each m is a multiple of a nearly isosceles triple's leg, so that every
// window holds a hit.
TEST(TripleSearch, AgreesWithThePairByPairLoopsNearTheTopOfTheRange) {
  constexpr std::int64_t kWindow = 100000;
  for (const std::int32_t m : {1855077840, 2068826747, 2129727288, 2145573822}) {
    const std::int64_t from = -std::int64_t{m} - kWindow;
    std::vector<Hit> inWindow;
    for (const Hit& hit : engineHits(-m, -m)) {
      if (hit.j >= from) inWindow.push_back(hit);
    }
    ASSERT_FALSE(inWindow.empty()) << "row " << -m;
    ASSERT_EQ(inWindow, pairByPair(-m, -m, from, -m)) << "row " << -m << ", j from " << from;
  }
}

// Rows at the bottom of the range hold 2^31 values of j and more: the engine
// runs whole, every hit is checked exactly, and the loops are compared on the
// ends of each row, where j nears -2^32 and c passes 2^32.
TEST(TripleSearch, IsExactAtTheBottomOfTheRange) {
  for (const auto& [lower, upper] : {std::pair{kMin, kMin + 20}, std::pair{kMin + 5, kMin + 6}}) {
    const std::vector<Hit> hits = engineHits(lower, upper);
    ASSERT_FALSE(hits.empty());
    for (const Hit& hit : hits) {
      std::int64_t root = 0;
      ASSERT_TRUE(isSquareSum(hit.i, hit.j, root)) << hit.i << " " << hit.j;
      ASSERT_EQ(root, hit.c);
    }
    constexpr std::int64_t kEnd = 200000;
    const std::int64_t lowest = 2 * std::int64_t{lower};
    for (const auto& ends :
         {std::pair{lowest, lowest + kEnd}, std::pair{upper - kEnd, std::int64_t{upper}}}) {
      const std::int64_t from = ends.first;
      const std::int64_t to = ends.second;
      std::vector<Hit> inWindow;
      std::copy_if(hits.begin(), hits.end(), std::back_inserter(inWindow),
                   [&](const Hit& hit) { return hit.j >= from && hit.j <= to; });
      ASSERT_EQ(inWindow, pairByPair(lower, upper, from, to)) << "j from " << from << " to " << to;
    }
  }
  // -2^31 with j = -(2^32 - 2^28): i² + j² = (2^32 + 2^28)², past 2^64.
  const std::vector<Hit> row = engineHits(kMin, kMin);
  EXPECT_NE(std::find(row.begin(), row.end(),
                      Hit{kMin, -(std::int64_t{1} << 32) + (1 << 28), (std::int64_t{1} << 32) + (1 << 28)}),
            row.end());
}

// FNV-1a of the lines of a search, each ended by a line feed.
std::uint64_t linesDigest(std::int32_t lower, std::int32_t upper, std::int64_t& lines) {
  std::uint64_t digest = 14695981039346656037U;
  search::TripleSearch search(lower, upper);
  search::ResultLine line;
  lines = 0;
  while (!search.finished()) {
    for (const Hit& hit : search.next()) {
      for (const char c : line.format(hit))
        digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211U;
      digest = (digest ^ '\n') * 1099511628211U;
      ++lines;
    }
  }
  return digest;
}

// Ranges too wide for the loops, against the lines of the divisor search
// that came before the sieves, which derived every row's legs from the
// divisors of i²: far rows whose slopes make a narrow cone, rows near -2^31
// whose j nears -2^32, wide negative rows whose pairs wait long for their
// first multiple, and both signs around zero. Each crosses many windows.
TEST(TripleSearch, WritesTheLinesOfAnEarlierEngineOnLargeRanges) {
  struct Recorded {
    std::int32_t lower;
    std::int32_t upper;
    std::int64_t lines;
    std::uint64_t digest;
  };
  for (const Recorded& recorded : {Recorded{1000000000, 2010000000, 81067, 0x67a0ae566b09782bU},
                                   Recorded{kMin, -2147300000, 487024, 0xe79c49394913b0ceU},
                                   Recorded{-30000000, -29650000, 765832, 0x352b07e8222fb5a4U},
                                   Recorded{-40000, 40000, 687085, 0x9940cca86a67ecffU}}) {
    std::int64_t lines = 0;
    EXPECT_EQ(linesDigest(recorded.lower, recorded.upper, lines), recorded.digest)
        << "bounds " << recorded.lower << " and " << recorded.upper;
    EXPECT_EQ(lines, recorded.lines);
  }
}

TEST(TripleSearch, CountsTheKnownNumberOfHitsUpToAMillion) {
  search::TripleSearch search(1, 1000000);
  std::int64_t count = 0;
  while (!search.finished()) count += static_cast<std::int64_t>(search.next().size());
  EXPECT_EQ(count, 2269788);
}

TEST(TripleSearch, HandsOutBoundedSlicesAndReportsProgress) {
  // The row i = 0 alone holds 2^32 hits; it must come out slice by slice.
  search::TripleSearch search(kMin, kMax);
  double progress = search.progress();
  EXPECT_EQ(progress, 0.0);
  for (int n = 0; n < 100; ++n) {
    const auto slice = search.next();
    // kSliceHits hits at most, then perhaps the rest of the row they reached.
    const auto lastRow =
        std::find_if(slice.begin(), slice.end(), [&](const Hit& hit) { return hit.i == slice.back().i; });
    EXPECT_LT(static_cast<std::size_t>(lastRow - slice.begin()), search::kSliceHits) << "slice " << n;
    EXPECT_GE(search.progress(), progress);
    progress = search.progress();
  }
  EXPECT_FALSE(search.finished());
  EXPECT_LT(progress, 1.0);

  search::TripleSearch small(1, 20);
  while (!small.finished()) small.next();
  EXPECT_EQ(small.progress(), 1.0);
}

}  // namespace
