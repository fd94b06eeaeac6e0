#include "search/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "search/decimal_digits.h"

namespace search {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Magnitudes beyond this cannot be in range whatever the rounding; keeping the
// accumulator saturated there makes any length of digits safe and linear.
constexpr std::uint64_t kSaturated = std::uint64_t{1} << 32;

}  // namespace

char* formatInteger(std::int64_t value, char* out) {
  *out++ = value < 0 ? '-' : ' ';
  // Negate in unsigned arithmetic, where the most negative value has a magnitude.
  const std::uint64_t magnitude =
      value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  // Only the lines of the rows at the very bottom of the range hold numbers
  // past 32 bits.
  if (magnitude <= UINT32_MAX) return writeDigits(static_cast<std::uint32_t>(magnitude), out);
  return std::to_chars(out, out + kMaxNumberText - 1, magnitude).ptr;
}

std::string formatInteger(std::int64_t value) {
  std::array<char, kMaxNumberText> text{};
  return {text.data(), formatInteger(value, text.data())};
}

std::optional<std::int32_t> readInteger(std::string_view text, std::string_view decimalSeparator) {
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }

  std::uint64_t whole = 0;
  std::size_t digits = 0;
  while (!text.empty() && isDigit(text.front())) {
    whole = std::min(kSaturated, whole * 10 + static_cast<std::uint64_t>(text.front() - '0'));
    text.remove_prefix(1);
    ++digits;
  }

  // The fraction only matters through its comparison with one half.
  enum class Fraction { Zero, BelowHalf, Half, AboveHalf } fraction = Fraction::Zero;
  if (!decimalSeparator.empty() && text.starts_with(decimalSeparator)) {
    text.remove_prefix(decimalSeparator.size());
    bool first = true;
    while (!text.empty() && isDigit(text.front())) {
      const char digit = text.front();
      if (first) {
        fraction = digit > '5'    ? Fraction::AboveHalf
                   : digit == '5' ? Fraction::Half
                   : digit > '0'  ? Fraction::BelowHalf
                                  : Fraction::Zero;
      } else if (digit != '0') {
        if (fraction == Fraction::Half) fraction = Fraction::AboveHalf;
        if (fraction == Fraction::Zero) fraction = Fraction::BelowHalf;
      }
      first = false;
      text.remove_prefix(1);
      ++digits;
    }
  }
  if (digits == 0 || !text.empty()) return std::nullopt;

  const bool roundUp = fraction == Fraction::AboveHalf || (fraction == Fraction::Half && whole % 2 == 1);
  const std::uint64_t magnitude = whole + (roundUp ? 1 : 0);
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
  if (magnitude > limit) return std::nullopt;
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace search
