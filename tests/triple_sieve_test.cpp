#include "search/triple_sieve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "search/row_sieve.h"
#include "search/slice.h"
#include "tests/pair_reference.h"

namespace {

using search::Hit;
using search::RowSieve;
using search::TripleSieve;

template <typename Search>
std::int64_t count(Search search) {
  std::int64_t hits = 0;
  while (!search.finished()) hits += static_cast<std::int64_t>(search.next().size());
  return hits;
}

// Every hit of the positive rows of the row sieve.
std::vector<Hit> positiveRows(std::int64_t lower, std::int64_t upper) {
  RowSieve sieve(static_cast<std::int32_t>(lower), static_cast<std::int32_t>(upper), +1);
  search::RowBlock block;
  std::vector<Hit> hits;
  while (!sieve.finished()) {
    sieve.nextBlock(block);
    search::forEachHit(block, [&hits](const Hit& hit) { hits.push_back(hit); });
  }
  return hits;
}

// The two sieves share only the bounds and the legs of (m, n): the one keeps
// every triple in buckets, the other finds the long ones afresh for each
// window; on ranges too wide for the pair-by-pair loops they check each
// other. These ranges cross many blocks and windows, hold rows with hundreds
// of hits and pairs that wait in buckets for several blocks, and reach the
// triple sieve's limit. In the last, the row sieve's first window walks
// k = 1 over its first 16 blocks, then takes more rows, the first of which
// holds the long pair (733² - 510², 2 · 733 · 510).
TEST(TripleSieve, AgreesWithTheRowSieveOnWideRanges) {
  constexpr std::int64_t kLimit = TripleSieve::kMaxUpper;
  constexpr std::int64_t kLongLeg = 733 * 733 - 510 * 510;
  for (const auto& [lower, upper] : {std::pair<std::int64_t, std::int64_t>{1, 300000},
                                     {1000, 400000},
                                     {99999, 333333},
                                     {kLimit / 2 - 3000, kLimit},
                                     {kLongLeg - std::int64_t{16} * RowSieve::kBlockRows, 800000}}) {
    ASSERT_EQ(drain(TripleSieve(lower, upper)), positiveRows(lower, upper))
        << "bounds " << lower << " and " << upper;
  }
}

// Sieves that share the rows hand out, stretch by stretch in turn, exactly
// the hits of the whole sieve: triples whose next multiple falls in the
// other's stretch, or beyond several stretches, resume in their own.
TEST(TripleSieve, SharesTheRowsStretchByStretch) {
  using Stretch = std::vector<Hit>;
  const auto stretches = [](std::int64_t lower, std::int64_t upper, search::SieveShare share) {
    TripleSieve sieve(lower, upper, share);
    std::vector<Stretch> all;
    while (!sieve.finished()) {
      Stretch& stretch = all.emplace_back();
      do {
        const search::SievedBlock& block = sieve.nextBlock();
        std::uint32_t at = 0;
        for (std::uint32_t row = 0; row < block.rowEnds.size(); ++row) {
          for (; at < block.rowEnds[row]; ++at) {
            stretch.push_back({std::int64_t{block.firstRow} + row, block.hits[at].j, block.hits[at].c});
          }
        }
      } while (!sieve.finished() && !sieve.atStretchStart());
    }
    return all;
  };
  for (const auto& [lower, upper] : {std::pair<std::int64_t, std::int64_t>{1, 300000}, {20000, 500000}}) {
    const std::vector<Stretch> first = stretches(lower, upper, {0, 2});
    const std::vector<Stretch> second = stretches(lower, upper, {1, 2});
    std::vector<Hit> shared;
    for (std::size_t n = 0; n < first.size() + second.size(); ++n) {
      const Stretch& stretch = n % 2 == 0 ? first.at(n / 2) : second.at(n / 2);
      shared.insert(shared.end(), stretch.begin(), stretch.end());
    }
    EXPECT_EQ(shared, drain(TripleSieve(lower, upper))) << "bounds " << lower << " and " << upper;
  }
}

TEST(TripleSieve, CountsTheKnownNumberOfHits) {
  constexpr std::int64_t kUpper = std::int64_t{1} << 22;
  EXPECT_EQ(count(TripleSieve(1, kUpper)), 10594097);
  EXPECT_EQ(count(TripleSieve(1000, kUpper)), 10577610);
}

TEST(TripleSieve, HandsOutBoundedSlices) {
  TripleSieve sieve(1, 100000);
  while (!sieve.finished()) EXPECT_LE(sieve.next().size(), search::kSliceHits);
  EXPECT_TRUE(drain(TripleSieve(3, 10)).empty());
  EXPECT_TRUE(drain(TripleSieve(7, 7)).empty());
}

}  // namespace
