#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "search/factor_block.h"
#include "search/leg_finder.h"

namespace search {

// One pair (i, j) with i² + j² = c². j reaches -2^32 and c passes 2^32 at the
// extremes of the 32-bit bounds, hence 64 bits throughout.
struct Hit {
  std::int64_t i;
  std::int64_t j;
  std::int64_t c;
  friend bool operator==(const Hit&, const Hit&) = default;
};

// Lists, for the bounds lower and upper, every pair with lower <= i <= upper
// and i + lower <= j <= upper whose i² + j² is a perfect square, by ascending
// i and then ascending j: exactly the pairs and the order of a double loop
// that tests each pair. It does not test each pair: i² = (c - |j|)(c + |j|),
// so every divisor d < |i| of i² whose cofactor e has its parity gives the
// leg |j| = (e - d) / 2 and c = (e + d) / 2. j = 0 is a hit for every i, and
// every j is a hit for i = 0.
class TripleSearch {
 public:
  TripleSearch(std::int32_t lower, std::int32_t upper);

  // The next hits. Each call does a bounded amount of work, so a slice may be
  // empty before the end: call again until finished(). The span stays valid
  // until the next call.
  std::span<const Hit> next();
  [[nodiscard]] bool finished() const;
  // How far the outer index has got, from 0 to 1.
  [[nodiscard]] double progress() const;

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
