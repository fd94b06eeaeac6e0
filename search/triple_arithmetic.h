#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

namespace search {

// The arithmetic of primitive triples and of their multiples in the loops,
// shared by every engine and count. Numbers are 64-bit: with 32-bit bounds a
// leg reaches 2^32 and a hypotenuse passes it.

inline std::uint64_t magnitude(std::int64_t value) {
  return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

// Quotients rounded down and up, for any signs (denominator not 0).
inline std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}
inline std::int64_t ceilDiv(std::int64_t numerator, std::int64_t denominator) {
  return -floorDiv(-numerator, denominator);
}
// The same for 32-bit unsigned numbers, as the 32-bit sieve keeps them.
inline std::uint32_t ceilDiv(std::uint32_t numerator, std::uint32_t denominator) {
  return (numerator + denominator - 1) / denominator;
}

// The largest r with r² <= value.
inline std::uint64_t integerSqrt(std::uint64_t value) {
  auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(value)));
  while (root * root > value) --root;
  while ((root + 1) * (root + 1) <= value) ++root;
  return root;
}

// The primitive triple of coprime m > n of opposite parity: its odd leg
// m² - n², its even leg 2mn and its hypotenuse m² + n², in 64 bits, or in
// 32 where they fit, as in the 32-bit sieve.
template <typename Unsigned>
struct BasicTriple {
  Unsigned odd;
  Unsigned even;
  Unsigned hypotenuse;
};
using Triple = BasicTriple<std::uint64_t>;
template <typename Unsigned = std::uint64_t>
BasicTriple<Unsigned> tripleOf(std::type_identity_t<Unsigned> m, std::type_identity_t<Unsigned> n) {
  return {m * m - n * n, 2 * m * n, m * m + n * n};
}

// The signs of i and of j: +1 or -1.
struct Signs {
  int i;
  int j;
};

// The k with i = signs.i · k · x and j = signs.j · k · y inside the loops of
// the bounds lower and upper (lower <= i <= upper, i + lower <= j <= upper),
// for legs x, y >= 1: an interval, empty when first > last.
struct Multipliers {
  std::int64_t first;
  std::int64_t last;
  [[nodiscard]] bool empty() const { return first > last; }
};

namespace detail {
// Narrows k to the k >= 1 with slope · k <= bound.
inline void keepAtMost(Multipliers& k, std::int64_t slope, std::int64_t bound) {
  if (slope > 0) {
    const std::int64_t last = floorDiv(bound, slope);
    if (last < k.last) k.last = last;
  } else if (slope < 0) {
    const std::int64_t first = ceilDiv(bound, slope);
    if (first > k.first) k.first = first;
  } else if (bound < 0) {
    k.last = k.first - 1;
  }
}
}  // namespace detail

inline Multipliers multipliersInLoops(std::int64_t lower, std::int64_t upper, Signs signs, std::uint64_t x,
                                      std::uint64_t y) {
  const std::int64_t di = signs.i * static_cast<std::int64_t>(x);
  const std::int64_t dj = signs.j * static_cast<std::int64_t>(y);
  // A multiplier past 2^33 puts i or j out of any 32-bit loop.
  Multipliers k{1, std::int64_t{1} << 33};
  detail::keepAtMost(k, -di, -lower);      // i >= lower
  detail::keepAtMost(k, di, upper);        // i <= upper
  detail::keepAtMost(k, dj, upper);        // j <= upper
  detail::keepAtMost(k, di - dj, -lower);  // j - i >= lower
  return k;
}

}  // namespace search
