#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "search/hit.h"
#include "search/triple_arithmetic.h"

namespace search {

// The hits of the rows of one sign of a search with any 32-bit bounds, in
// loop order, a block of rows at a time. Every hit with i, j != 0 is
// k · (±x, ±y) for a primitive pair (x, y), in either order of its legs:
// row |i| = k · x, |j| = k · y. The rows run by magnitude, up for positive
// rows and down for negative ones, and fall into blocks, the blocks into
// windows:
//  - a pair whose row leg x is shorter than a block has several multiples in
//    each block: such pairs stay in a list sorted by slope y / x, each with
//    its next multiple, and give their hits of a block in the order of j;
//  - a longer pair has at most one multiple in a block: for each window and
//    each k, the pairs with k · x in it are found afresh by the cone walk,
//    only in the cone of slopes that the window's rows can reach, and wait in
//    the bucket of their block. A pair that cannot reach a window costs
//    nothing there, and memory holds one window's hits whatever the bounds.
// The hits of a block are sorted by row, then by j within each row, and j = 0
// is put in its place where the loops reach it.
class RowSieve {
 public:
  // The rows i of the sign (+1 or -1) with lower <= i <= upper whose range
  // of j, i + lower to upper, is not empty; i = 0 is not among them.
  RowSieve(std::int32_t lower, std::int32_t upper, int sign);

  // The hits of the next block of rows in loop order, and the first row
  // after them; valid until the next call. Call only before finished().
  std::span<const Hit> nextBlock();
  [[nodiscard]] bool finished() const { return nextPosition_ >= positions_; }
  // The next row not handed out, and the last row of the sieve.
  [[nodiscard]] std::int64_t nextRow() const;
  [[nodiscard]] std::int64_t lastRow() const { return rowAt(positions_ - 1); }

  static constexpr std::uint32_t kBlockRows = 8 * 1024;

 private:
  // A pair shorter than a block, its next multiple k and that multiple's
  // position, and the k of each sign of j that fall in the loops.
  struct ShortPair {
    std::uint32_t x;
    std::uint32_t y;
    std::uint64_t h;
    std::int64_t k;
    std::uint64_t position;
    Multipliers negative;
    Multipliers positive;
    std::int64_t lastK;
  };
  // A multiple of a longer pair, waiting in its block's bucket.
  struct Waiting {
    std::uint32_t row;  // counted from its block's first row
    std::uint32_t k;
    std::uint32_t m;
    std::uint32_t n;  // with kOddRow and the signs of j in its top bits
  };
  static constexpr std::uint32_t kOddRow = 1U << 31;
  static constexpr std::uint32_t kNegativeJ = 1U << 30;
  static constexpr std::uint32_t kPositiveJ = 1U << 29;
  static constexpr std::uint32_t kFlags = kOddRow | kNegativeJ | kPositiveJ;
  // A hit of the block before sorting.
  struct Found {
    std::uint32_t row;
    std::int64_t j;
    std::uint64_t c;
  };

  [[nodiscard]] std::uint64_t magnitudeAt(std::uint64_t position) const;
  [[nodiscard]] std::int64_t rowAt(std::uint64_t position) const;
  [[nodiscard]] std::uint64_t positionOf(std::uint64_t magnitude) const;
  void addShortPairs();
  void addShortPair(std::uint64_t x, std::uint64_t y, std::uint64_t h);
  void fillWindow();
  void findShortPairHits(std::uint64_t first, std::uint64_t end);
  void findWaitingHits(std::uint32_t block);
  void sortBlock(std::uint64_t first, std::uint32_t rows);

  std::int64_t lower_;
  std::int64_t upper_;
  int sign_;
  int step_;                // +1 where magnitudes rise with the rows, -1 where they fall
  std::uint64_t firstMagnitude_;
  std::uint64_t positions_;  // the number of rows
  std::uint64_t nextPosition_ = 0;
  bool anyNegativeJ_;

  std::vector<ShortPair> shortPairs_;
  // The window: its first block and one bucket for each of its blocks.
  std::uint64_t windowFirst_ = 0;
  std::uint32_t windowBlocks_ = 4;
  std::uint32_t windowFilled_ = 0;
  std::vector<std::vector<Waiting>> buckets_;
  std::vector<Found> found_;
  std::vector<Found> sortedScratch_;
  std::vector<std::uint32_t> rowEnds_;
  std::vector<Hit> hits_;
};

}  // namespace search
