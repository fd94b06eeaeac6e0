#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "search/divisor_search.h"
#include "search/hit.h"
#include "search/triple_sieve.h"

namespace search {

// Lists, for the bounds lower and upper, every pair with lower <= i <= upper
// and i + lower <= j <= upper whose i² + j² is a perfect square, by ascending
// i and then ascending j: exactly the pairs and the order of a double loop
// that tests each pair, without testing each pair. Positive bounds up to
// TripleSieve::kMaxUpper go to the sieve, which is the faster there; all
// others to the divisor search.
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
  std::int64_t lower_;
  std::variant<DivisorSearch, TripleSieve> engine_;
};

}  // namespace search
