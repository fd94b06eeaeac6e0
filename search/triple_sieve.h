#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "search/bucket_ring.h"
#include "search/hit.h"

namespace search {

// A hit of the sieve, in the row its block gives: both numbers fit 32 bits.
struct SievedHit {
  std::uint32_t j;
  std::uint32_t c;
};

// The hits of a block of rows in loop order: row firstRow + r holds
// hits[rowBegin(r) .. rowEnds[r]).
struct SievedBlock {
  [[nodiscard]] std::uint32_t rowBegin(std::uint32_t r) const { return r == 0 ? 0 : rowEnds[r - 1]; }

  std::uint32_t firstRow = 0;
  std::span<const std::uint32_t> rowEnds;
  std::span<const SievedHit> hits;
};

// The sieve finds the hits of a block of rows at a time.
inline constexpr std::uint32_t kSieveBlockRows = 8 * 1024;

// Which rows a sieve lists: the rows fall into stretches of kStretchRows, and
// a sieve takes every count-th stretch from the index-th on, so that count
// sieves (a power of two) share the rows between them.
struct SieveShare {
  static constexpr std::uint32_t kStretchRows = 2 * kSieveBlockRows;
  std::uint32_t index = 0;
  std::uint32_t count = 1;
};

// The hits of a search with bounds 1 <= lower <= upper <= kMaxUpper, found
// from the other side: every hit is a multiple k · (s, t, h) of a primitive
// triple s² + t² = h² with s < t, so the sieve lists the primitive triples
// whose legs fit under upper once, then hands out each multiple k · s as a row
// of the block it falls in. Work follows the number of hits, not of divisors.
// Its memory grows with upper (about 0.18 · upper triples, 6 bytes each:
// some 24 MB at the limit, so that two sieves sharing the rows stay within
// 64 MB), and every number of it fits 32 bits.
class TripleSieve {
 public:
  static constexpr std::int64_t kMaxUpper = std::int64_t{1} << 24;
  [[nodiscard]] static bool covers(std::int64_t lower, std::int64_t upper) {
    return lower > 0 && upper <= kMaxUpper;
  }

  TripleSieve(std::int64_t lower, std::int64_t upper, SieveShare share = {});

  // The next block of rows of the share, of at most kSieveBlockRows; valid
  // until the next call. Call only before finished().
  const SievedBlock& nextBlock();
  // Whether the next block begins a stretch, which the previous one ended.
  [[nodiscard]] bool atStretchStart() const;

  // The next slice of hits in loop order; the span stays valid until the
  // next call.
  std::span<const Hit> next();
  [[nodiscard]] bool finished() const { return nextRow_ > lastRow_ && handedOut_ == block_.hits.size(); }
  // The first row not sieved yet.
  [[nodiscard]] std::int64_t nextRow() const { return nextRow_; }

 private:
  // The primitive triple (m² - n², 2mn, m² + n²) and its next multiple k.
  // m and n stay below 2^16 while the legs fit under kMaxUpper, and so does k
  // for a triple whose s is at least a block (k < kMaxUpper / kSieveBlockRows):
  // those are kept in 6 bytes.
  template <typename Multiplier>
  struct Multiples {
    std::uint16_t m;
    std::uint16_t n;
    Multiplier k;
  };
  using ShortMultiples = Multiples<std::uint32_t>;
  using LongMultiples = Multiples<std::uint16_t>;
  // A hit of the current block, with its row's offset in the block.
  struct BlockHit {
    std::uint32_t row;
    std::uint32_t j;
    std::uint32_t c;
  };

  void addPrimitive(std::uint32_t m, std::uint32_t n);
  [[nodiscard]] std::uint32_t firstSharedRow(std::uint32_t row) const;
  void addToBucket(LongMultiples multiples, std::uint32_t s, std::uint32_t t, std::uint32_t row);
  [[nodiscard]] std::size_t blockOf(std::uint32_t row) const;
  void sieveBlock();
  void skipShortLegsTo(std::uint32_t first);
  void handOutShortLegs(std::uint32_t first, std::uint32_t end);
  void handOutBucket(std::uint32_t first);
  void sortBlock(std::uint32_t first, std::uint32_t rows);

  std::uint32_t lower_;
  std::uint32_t upper_;
  SieveShare share_;
  std::int64_t nextRow_;
  std::int64_t lastRow_;
  // Triples with s shorter than a block have several multiples in each block
  // and stay here; the others have at most one per block and wait in the
  // bucket of the block where their next multiple falls.
  std::vector<ShortMultiples> shortLegs_;
  // One bucket for each block, its chunks back in the pool once its hits
  // are out.
  BucketRing<LongMultiples> buckets_;
  // The block's hits as found: the short legs' first, then the bucket's.
  std::vector<BlockHit> found_;
  // The block in loop order, and how much of it next() has handed out.
  std::vector<SievedHit> blockHits_;
  std::vector<std::uint32_t> blockRowEnds_;
  SievedBlock block_;
  std::size_t handedOut_ = 0;
  std::uint32_t handedOutRow_ = 0;
  std::vector<Hit> slice_;
};

}  // namespace search
