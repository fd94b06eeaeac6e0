#pragma once

#include <cstdint>
#include <span>

namespace search {

// A linear constraint on the legs of the triple of (m, n):
// odd · (m² - n²) + even · 2mn <= bound, with coefficients -1, 0 or 1,
// not both 0.
struct LegConstraint {
  int odd;
  int even;
  std::int64_t bound;
};

// The number of pairs m > n >= 1 with m - n odd, coprime or not, whose legs
// meet every constraint. The constraints must keep both legs below 2^36.
// For each n, each constraint is monotone in m on m > n, so it bounds m on
// one side, found with an integer square root: the work follows the largest
// n the constraints allow, about the square root of the longest leg.
std::int64_t countLegPairs(std::span<const LegConstraint> constraints);

}  // namespace search
