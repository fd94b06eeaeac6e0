#include "tests/pair_reference.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

// An unsigned 128-bit value from two halves: i² + j² reaches 2^64 at the
// extremes, and 32-bit targets have no built-in type that wide.
struct Wide {
  std::uint64_t high;
  std::uint64_t low;
  friend bool operator==(const Wide&, const Wide&) = default;
};

Wide square(std::uint64_t x) {
  const std::uint64_t lo = x & 0xFFFFFFFFU;
  const std::uint64_t hi = x >> 32;
  const std::uint64_t cross = 2 * lo * hi;  // x < 2^34 here, so hi < 4 and this fits
  Wide result{hi * hi + (cross >> 32), lo * lo};
  const std::uint64_t shifted = cross << 32;
  result.low += shifted;
  if (result.low < shifted) ++result.high;
  return result;
}

Wide add(Wide a, Wide b) {
  Wide sum{a.high + b.high, a.low + b.low};
  if (sum.low < a.low) ++sum.high;
  return sum;
}

std::uint64_t magnitude(std::int64_t v) {
  return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

}  // namespace

bool isSquareSum(std::int64_t i, std::int64_t j, std::int64_t& root) {
  const std::uint64_t a = magnitude(i);
  const std::uint64_t b = magnitude(j);
  constexpr std::uint64_t kExactInDouble = std::uint64_t{1} << 26;
  if (a < kExactInDouble && b < kExactInDouble) {
    // Below 2^26 every square and sum is exact in 64 bits and in a double.
    const std::uint64_t sum = a * a + b * b;
    const auto c = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(sum)));
    for (std::uint64_t candidate = c; candidate <= c + 1; ++candidate) {
      if (candidate * candidate == sum) {
        root = static_cast<std::int64_t>(candidate);
        return true;
      }
    }
    return false;
  }
  const Wide sum = add(square(a), square(b));
  // The double root is within one of the true root for sums below 2^67.
  const auto guess = static_cast<std::uint64_t>(std::llround(std::sqrt(
      static_cast<double>(a) * static_cast<double>(a) + static_cast<double>(b) * static_cast<double>(b))));
  for (std::uint64_t c = guess == 0 ? 0 : guess - 1; c <= guess + 1; ++c) {
    if (square(c) == sum) {
      root = static_cast<std::int64_t>(c);
      return true;
    }
  }
  return false;
}

std::vector<search::Hit> pairByPair(std::int32_t lower, std::int32_t upper, std::int64_t jFrom,
                                    std::int64_t jTo) {
  std::vector<search::Hit> hits;
  for (std::int64_t i = lower; i <= upper; ++i) {
    const std::int64_t first = std::max<std::int64_t>(i + lower, jFrom);
    const std::int64_t last = std::min<std::int64_t>(upper, jTo);
    for (std::int64_t j = first; j <= last; ++j) {
      std::int64_t c = 0;
      if (isSquareSum(i, j, c)) hits.push_back({i, j, c});
    }
  }
  return hits;
}

std::vector<search::Hit> pairByPair(std::int32_t lower, std::int32_t upper) {
  return pairByPair(lower, upper, INT64_MIN, INT64_MAX);
}

std::string referenceLine(const search::Hit& hit) {
  std::string line;
  for (const std::int64_t number : {hit.i, hit.j, hit.c}) {
    if (!line.empty()) line += ' ';
    if (number >= 0) line += ' ';
    std::array<char, 24> digits{};
    line.append(digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr);
  }
  return line;
}
