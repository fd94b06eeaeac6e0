#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "search/bucket_ring.h"
#include "search/cone_walk.h"
#include "search/hit.h"
#include "search/odd_primes.h"
#include "search/row_block.h"
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
//  - a pair of medium length has at most one multiple in a block and one at
//    least every kMediumRows: it waits in a ring of buckets, one a block,
//    for the block of its next multiple;
//  - for a longer pair, each window finds afresh, for each k, the pairs with
//    k · x in it by the cone walk, only in the cone of slopes that its rows
//    can reach (for the large k, whose annuli of x are thin, one walk a band
//    of k); they wait in the bucket of their block. A pair that cannot
//    reach a window costs nothing there, and memory holds the medium pairs
//    and one window's hits whatever the bounds.
// The hits of a block, j = 0 included, are sorted by row, then by j within
// each row, in two runs that forEachHit merges.
class RowSieve {
 public:
  // The rows i of the sign (+1 or -1) with lower <= i <= upper whose range
  // of j, i + lower to upper, is not empty; i = 0 is not among them.
  RowSieve(std::int32_t lower, std::int32_t upper, int sign);

  // Sieves the next block of rows into block. Call only before finished().
  void nextBlock(RowBlock& block);
  [[nodiscard]] bool finished() const { return nextPosition_ >= positions_; }
  // The next row not handed out.
  [[nodiscard]] std::int64_t nextRow() const;

  static constexpr std::uint32_t kBlockRows = 8 * 1024;
  static constexpr std::uint32_t kMediumRows = 32 * kBlockRows;

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
  // The pair of (m, n) with the odd leg along the rows where n has kOddRow,
  // and a multiple k of it; as a medium pair in the ring, with its last k in
  // the loops.
  struct Multiple {
    std::uint32_t m;
    std::uint32_t n;
    std::uint32_t k;
    std::uint32_t lastK;
  };
  static constexpr std::uint32_t kOddRow = 1U << 31;
  static constexpr std::uint32_t kMaxWindowBlocks = 16384;
  static constexpr std::uint32_t kFirstWindowBlocks = 16;
  // The blocks of the widest window, with a tail of a quarter of itself.
  static constexpr std::size_t kWidestWindowBlocks = std::size_t{kMaxWindowBlocks} / 4 * 5;
  // A multiple of a long pair in the window, in 8 bytes: m and k share a
  // word, as m < 2^17 (both legs are below 2^33) and k < 2^15 (the row leg
  // is at least kMediumRows); n and kOddRow the other.
  struct LongMultiple {
    static constexpr unsigned kKShift = 17;
    LongMultiple(std::uint32_t m, std::uint32_t nAndOrder, std::uint32_t k)
        : mAndK(m | k << kKShift), n(nAndOrder) {}
    LongMultiple() = default;
    [[nodiscard]] Multiple unpacked() const {
      return {mAndK & ((1U << kKShift) - 1), n, mAndK >> kKShift, 0};
    }
    std::uint32_t mAndK;
    std::uint32_t n;
  };

  // Multiples of long pairs in the window, each in its block's bucket, and
  // how many; a cache line of its own, as each is filled by a thread.
  struct alignas(64) WindowPart {
    BucketRing<LongMultiple> bucket;
    std::size_t multiples = 0;
  };
  // A walk of the cone: the pairs of one order of the legs whose multiples
  // k, firstK to lastK, may fall in the magnitudes low to high.
  struct Walk {
    std::uint64_t firstK;
    std::uint64_t lastK;
    std::uint64_t low;
    std::uint64_t high;
    bool oddRow;
  };

  // The legs of the pair of a multiple: row leg, column leg, hypotenuse.
  struct Legs {
    std::uint64_t x;
    std::uint64_t y;
    std::uint64_t h;
  };
  // The pair of (m, n), its odd leg along the rows or its even one.
  static Multiple pairOf(std::uint64_t m, std::uint64_t n, bool oddRow);
  static Legs legsOf(const Multiple& multiple);

  [[nodiscard]] std::uint64_t magnitudeAt(std::uint64_t position) const;
  [[nodiscard]] std::int64_t rowAt(std::uint64_t position) const;
  [[nodiscard]] std::uint64_t positionOf(std::uint64_t magnitude) const;
  [[nodiscard]] std::uint64_t positionOf(const Multiple& multiple) const;
  void addPairsShorterThan(std::uint64_t length);
  void addPair(std::uint64_t m, std::uint64_t n, bool oddRow);
  [[nodiscard]] Cone coneOf(std::uint64_t low, std::uint64_t high) const;
  void setWindowBlocks(std::uint32_t count);
  void fillWindow();
  [[nodiscard]] std::size_t windowMultiples() const;
  [[nodiscard]] std::uint64_t blocksLeft() const;
  [[nodiscard]] std::uint64_t withShortTail(std::uint64_t blocks) const;
  static std::array<Walk, 2> bothOrders(std::uint64_t firstK, std::uint64_t lastK, std::uint64_t low,
                                        std::uint64_t high);
  void walk(const Walk& job, WindowPart& part) const;
  void runWalks(std::span<const Walk> walks);
  [[nodiscard]] std::vector<Walk> otherWalks() const;
  void keepMultiple(const Multiple& pair, const Legs& legs, std::uint64_t k, WindowPart& part) const;
  void fitWindowToFirstWalk(std::uint64_t most);
  void findShortPairHits(std::uint64_t first, std::uint64_t end);
  void findMediumPairHits(std::uint64_t block);
  void findLongPairHits(std::uint64_t block);
  void addFound(std::uint64_t row, const Legs& legs, std::uint64_t k);
  void addZeroColumn(std::uint64_t first, std::uint32_t rows);
  void sortBlock(std::uint32_t rows, RowBlock& block);

  std::int64_t lower_;
  std::int64_t upper_;
  int sign_;
  int step_;  // +1 where magnitudes rise with the rows, -1 where they fall
  std::uint64_t firstMagnitude_;
  std::uint64_t positions_;  // the number of rows
  std::uint64_t nextPosition_ = 0;
  bool anyNegativeJ_;

  // The odd primes of the n of every pair that fits the loops.
  OddPrimes primes_;
  std::vector<ShortPair> shortPairs_;
  // The medium pairs: the ring of buckets, and those whose first multiple
  // lies beyond it, by descending position.
  BucketRing<Multiple> ring_;
  std::vector<Multiple> pending_;
  // The window: its first block, its blocks and the magnitudes of their
  // rows, the blocks the next one starts with, and the multiples of long
  // pairs in its rows, in two parts, which two threads fill at once.
  std::uint64_t windowFirst_ = 0;
  std::uint32_t windowFilled_ = 0;
  std::uint64_t windowLow_ = 0;
  std::uint64_t windowHigh_ = 0;
  std::uint32_t windowBlocks_ = kFirstWindowBlocks;
  std::array<WindowPart, 2> window_;
  // The block's hits as found: of the short pairs, in the order of j within
  // a row, and the others.
  std::vector<Found> foundShort_;
  std::vector<Found> foundOther_;
  std::vector<Found> byHighJ_;
  std::vector<std::uint32_t> shortEnds_;
  std::vector<std::uint32_t> otherEnds_;
};

}  // namespace search
