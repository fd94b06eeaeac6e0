#include "search/odd_primes.h"

#include <bit>
#include <cstdint>

namespace search {

OddPrimes::OddPrimes(std::uint32_t limit) : smallestFactor_(limit) {
  for (std::uint32_t p = 3; p * p < limit; p += 2) {
    if (smallestFactor_[p] != 0) continue;
    for (std::uint32_t multiple = p * p; multiple < limit; multiple += 2 * p) {
      if (smallestFactor_[multiple] == 0) smallestFactor_[multiple] = static_cast<std::uint16_t>(p);
    }
  }
}

// From the table below the limit, by trial division above it.
std::uint32_t OddPrimes::smallestFactorOf(std::uint32_t n) const {
  if (n < smallestFactor_.size()) return smallestFactor_[n] == 0 ? n : smallestFactor_[n];
  for (std::uint32_t p = 3; p * p <= n; p += 2) {
    if (n % p == 0) return p;
  }
  return n;
}

OddPrimes::Column OddPrimes::column(std::uint32_t n) const {
  Column column;
  n >>= std::countr_zero(n);
  while (n > 1) {
    const std::uint32_t prime = smallestFactorOf(n);
    // The inverse of prime mod 2^32 by Newton's iteration, each step
    // doubling the bits that are right (3 to begin with); with it, exact
    // division is a multiplication.
    std::uint32_t inverse = prime;
    for (int step = 0; step < 4; ++step) inverse *= 2 - prime * inverse;
    const std::uint32_t limit = UINT32_MAX / prime;
    while (n * inverse <= limit) n *= inverse;
    column.inverses_[column.count_] = inverse;
    column.limits_[column.count_] = limit;
    ++column.count_;
  }
  return column;
}

}  // namespace search
