#include "search/odd_mobius.h"

#include <cstddef>

namespace search {

OddMobius::OddMobius(std::int64_t limit) {
  // A sieve of the odd numbers: each odd prime flips the sign of its
  // multiples and clears those of its square.
  const auto last = static_cast<std::size_t>(limit);
  std::vector<int> mobius(last + 1, 1);
  std::vector<bool> composite(last + 1, false);
  for (std::size_t p = 3; p <= last; p += 2) {
    if (composite[p]) continue;
    for (std::size_t multiple = p; multiple <= last; multiple += 2 * p) {
      composite[multiple] = multiple != p;
      mobius[multiple] = -mobius[multiple];
    }
    for (std::size_t multiple = p * p; multiple <= last; multiple += 2 * p * p) mobius[multiple] = 0;
  }
  for (std::size_t d = 1; d <= last; d += 2) {
    if (mobius[d] != 0) terms_.push_back({static_cast<std::int64_t>(d * d), mobius[d]});
  }
}

std::int64_t OddMobius::oddSquarefreeUpTo(std::int64_t x) const {
  std::int64_t count = 0;
  for (const Term& term : terms_) {
    if (term.square > x) break;
    count += term.mobius * (x / term.square);
  }
  return count;
}

}  // namespace search
