#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "search/factor_block.h"
#include "search/hit.h"
#include "search/leg_finder.h"

namespace search {

// The hits of any pair of bounds, row by row: i² = (c - |j|)(c + |j|), so
// every divisor d < |i| of i² whose cofactor e has its parity gives the leg
// |j| = (e - d) / 2 and c = (e + d) / 2. j = 0 is a hit for every i, and every
// j is a hit for i = 0. All indices are 64-bit: no pair of 32-bit bounds
// overflows.
class DivisorSearch {
 public:
  DivisorSearch(std::int64_t lower, std::int64_t upper);

  // The next slice of hits in loop order; the span stays valid until the next call.
  std::span<const Hit> next();
  [[nodiscard]] bool finished() const { return nextI_ > lastI_ && !inZeroRow_; }
  // The first row not handed out yet, and the last row whose range of j is not empty.
  [[nodiscard]] std::int64_t nextRow() const { return nextI_; }
  [[nodiscard]] std::int64_t lastRow() const { return lastI_; }

 private:
  void writeRow(std::int64_t i);
  void writeZeroRow();
  void factorBlockHolding(std::uint64_t m, bool descending);

  std::int64_t lower_;
  std::int64_t upper_;
  std::int64_t nextI_;
  std::int64_t lastI_;  // the last row whose range of j is not empty
  bool inZeroRow_ = false;
  std::int64_t zeroRowJ_ = 0;

  FactorBlock block_;
  LegFinder legFinder_;
  // Left uninitialised until written: most searches use a small part of it.
  std::unique_ptr<Hit[]> slice_;
  std::size_t sliceSize_ = 0;
};

}  // namespace search
