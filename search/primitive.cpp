#include "search/primitive.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "search/triple_arithmetic.h"

namespace search {

// The binary gcd, in shifts and subtractions, which 32-bit code does cheaply
// on 64-bit numbers too. gcd(0, j) = |j|.
bool isPrimitive(const Hit& hit) {
  std::uint64_t a = magnitude(hit.i);
  std::uint64_t b = magnitude(hit.j);
  if (a == 0 || b == 0) return a + b == 1;
  if (((a | b) & 1U) == 0) return false;
  // With 2 dividing at most one of them, its factors of 2 do not count.
  a >>= std::countr_zero(a);
  do {
    b >>= std::countr_zero(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return a == 1;
}

}  // namespace search
