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

// The digits of 0 ... 9999, four characters each with leading zeros, and
// three more so that any four characters from one of them can be read.
inline constexpr auto kDigitQuads = [] {
  std::array<char, 40003> quads{};
  for (std::size_t n = 0; n < 10000; ++n) {
    for (std::size_t digit = 0, rest = n; digit < 4; ++digit, rest /= 10) {
      quads[4 * n + 3 - digit] = static_cast<char>('0' + rest % 10);
    }
  }
  return quads;
}();

// Copies the last count digits of the four of n, and the characters after
// them up to four; returns one past the last digit.
inline char* copyQuad(char* to, std::uint32_t n, std::size_t count) {
  std::memcpy(to, &kDigitQuads[4 * std::size_t{n} + 4 - count], 4);
  return to + count;
}

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

// Writes the digits of a value below 10^8, as every number of the sieve is,
// without a sign position, left to right, four at a time from a table: one
// division. Writes up to 3 characters past the last digit when the number
// has fewer than 4, which the caller has room for and writes over. Returns
// one past the last digit.
inline char* writeDigitsByFours(std::uint32_t value, char* out) {
  constexpr std::uint32_t kTenThousand = 10000;
  // The digits of a number below 10^4, counted without a branch.
  const auto digitsBelowTenThousand = [](std::uint32_t n) {
    return std::size_t{1} + (n >= 10 ? 1 : 0) + (n >= 100 ? 1 : 0) + (n >= 1000 ? 1 : 0);
  };
  const std::uint32_t high = value / kTenThousand;
  if (high == 0) return decimal::copyQuad(out, value, digitsBelowTenThousand(value));
  out = decimal::copyQuad(out, high, digitsBelowTenThousand(high));
  return decimal::copyQuad(out, value - high * kTenThousand, 4);
}

// Writes the eight digits of a value below 10^8, with leading zeros.
inline char* writeEightDigits(std::uint32_t value, char* out) {
  constexpr std::uint32_t kTenThousand = 10000;
  out = decimal::copyQuad(out, value / kTenThousand, 4);
  return decimal::copyQuad(out, value % kTenThousand, 4);
}

// Writes the digits of any value four at a time: a value past 10^8 is split
// into groups of eight digits by divisions by constants. Where the value fits
// 32 bits, as every number of a result line does but those of the very
// bottom rows of the range, they are 32-bit divisions, which 32-bit code does
// without a library call. Writes up to 3 characters past the last digit of a
// value below 10^8, like writeDigitsByFours. Returns one past the last digit.
inline char* writeAnyDigitsByFours(std::uint64_t value, char* out) {
  constexpr std::uint32_t kHundredMillion = 100'000'000;
  if (value <= UINT32_MAX) {
    const auto value32 = static_cast<std::uint32_t>(value);
    if (value32 < kHundredMillion) return writeDigitsByFours(value32, out);
    const std::uint32_t high = value32 / kHundredMillion;
    return writeEightDigits(value32 - high * kHundredMillion, writeDigitsByFours(high, out));
  }
  const std::uint64_t high = value / kHundredMillion;
  const auto low = static_cast<std::uint32_t>(value - high * kHundredMillion);
  if (high < kHundredMillion) {
    return writeEightDigits(low, writeDigitsByFours(static_cast<std::uint32_t>(high), out));
  }
  const std::uint64_t top = high / kHundredMillion;
  const auto middle = static_cast<std::uint32_t>(high - top * kHundredMillion);
  out = writeDigitsByFours(static_cast<std::uint32_t>(top), out);
  return writeEightDigits(low, writeEightDigits(middle, out));
}

}  // namespace search
