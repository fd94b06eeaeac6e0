#include "search/odd_primes.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace search {

OddPrimes::OddPrimes(std::uint32_t limit) : smallest_(limit / 2) {
  constexpr std::uint16_t kUnset = UINT16_MAX;
  std::fill(smallest_.begin(), smallest_.end(), kUnset);
  for (std::uint32_t p = 3; p < limit; p += 2) {
    if (smallest_[p / 2] != kUnset) continue;
    const auto index = static_cast<std::uint16_t>(divisors_.size());
    divisors_.push_back(divisorOf(p));
    for (std::size_t multiple = p; multiple < limit; multiple += 2 * std::size_t{p}) {
      if (smallest_[multiple / 2] == kUnset) smallest_[multiple / 2] = index;
    }
  }
}

// The inverse of prime mod 2^32 by Newton's iteration, each step doubling
// the bits that are right (3 to begin with); with it, exact division is a
// multiplication.
OddPrimes::Divisor OddPrimes::divisorOf(std::uint32_t prime) {
  std::uint32_t inverse = prime;
  for (int step = 0; step < 4; ++step) inverse *= 2 - prime * inverse;
  return {inverse, UINT32_MAX / prime};
}

// From the table below the limit, by trial division above it.
OddPrimes::Divisor OddPrimes::smallestDivisorOf(std::uint32_t n) const {
  if (n / 2 < smallest_.size()) return divisors_[smallest_[n / 2]];
  for (std::uint32_t p = 3; p * p <= n; p += 2) {
    if (n % p == 0) return divisorOf(p);
  }
  return divisorOf(n);
}

OddPrimes::Column OddPrimes::column(std::uint32_t n) const {
  Column column;
  n >>= std::countr_zero(n);
  while (n > 1) {
    const auto [inverse, limit] = smallestDivisorOf(n);
    while (n * inverse <= limit) n *= inverse;
    column.inverses_[column.count_] = inverse;
    column.limits_[column.count_] = limit;
    ++column.count_;
  }
  return column;
}

}  // namespace search
