#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace search {

// The decimal digits of 32-bit numbers, written two at a time in 32-bit
// arithmetic, which 32-bit code does without a library call. Inline, as the
// writers of result lines call it for nearly every number.
namespace decimal {

inline constexpr std::array<std::uint32_t, 10> kPowersOfTen{1,      10,      100,      1000,      10000,
                                                            100000, 1000000, 10000000, 100000000, 1000000000};

// The digits of 0 ... 99, two characters each.
inline constexpr auto kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t n = 0; n < 100; ++n) {
    pairs[2 * n] = static_cast<char>('0' + n / 10);
    pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
  }
  return pairs;
}();

// The number of digits of value: log10 estimated from the bit width (1233 /
// 4096 is just above log10 2), then corrected by one comparison.
inline std::size_t digitCount(std::uint32_t value) {
  const auto estimate = static_cast<std::size_t>(std::bit_width(value | 1U) * 1233U >> 12U);
  return estimate + 1 - ((value | 1U) < kPowersOfTen[estimate] ? 1 : 0);
}

inline void copyPair(char* to, std::uint32_t n) { std::memcpy(to, &kDigitPairs[std::size_t{2} * n], 2); }

}  // namespace decimal

// Writes the digits of value, without a sign position, from the last.
// Returns one past the last character written.
inline char* writeDigits(std::uint32_t value, char* out) {
  char* const end = out + decimal::digitCount(value);
  char* at = end;
  while (value >= 100) {
    at -= 2;
    decimal::copyPair(at, value % 100);
    value /= 100;
  }
  if (value >= 10) {
    decimal::copyPair(at - 2, value);
  } else {
    at[-1] = static_cast<char>('0' + value);
  }
  return end;
}

}  // namespace search
