#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "search/hit.h"
#include "search/row_sieve.h"
#include "search/triple_sieve.h"

namespace search {

// Lists, for the bounds lower and upper, every pair with lower <= i <= upper
// and i + lower <= j <= upper whose i² + j² is a perfect square, by ascending
// i and then ascending j: exactly the pairs and the order of a double loop
// that tests each pair, without testing each pair. The negative rows come
// from one row sieve, the row i = 0 (every j is a hit) is written directly,
// and the positive rows come from another row sieve, or from the triple
// sieve where it applies (positive bounds up to TripleSieve::kMaxUpper),
// which is the faster there.
class TripleSearch {
 public:
  TripleSearch(std::int32_t lower, std::int32_t upper);

  // The next hits, at most kSliceHits. Each call does a bounded amount of
  // work, so a slice may be empty before the end: call again until
  // finished(). The span stays valid until the next call.
  std::span<const Hit> next();
  [[nodiscard]] bool finished() const;
  // How far the outer index has got, from 0 to 1.
  [[nodiscard]] double progress() const;

 private:
  std::span<const Hit> nextOfZeroRow();

  std::int64_t lower_;
  std::int64_t upper_;
  std::int64_t lastRow_;
  // Each sieve is made when its rows come, so that one at a time holds memory.
  std::optional<RowSieve> negativeRows_;
  bool inZeroRow_;
  std::int64_t zeroRowJ_;
  std::variant<std::monostate, RowSieve, TripleSieve> positiveRows_;
  bool positiveRowsMade_ = false;
  // The block of a row sieve being handed out, and the row i = 0's slice.
  std::span<const Hit> block_;
  std::vector<Hit> zeroRowSlice_;
};

}  // namespace search
