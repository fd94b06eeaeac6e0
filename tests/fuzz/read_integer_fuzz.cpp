// Checks search::readInteger against a model of the reading rule written here
// on its own: the text is split into blanks, sign, digits and fraction, and the
// value is rounded and range-checked on decimal digit strings, so that no
// arithmetic of the reader is reused. Every input is read with both separators.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "search/number_text.h"

namespace {

// The parts of a number as typed, or nothing when the text is not one.
struct NumberParts {
  bool negative = false;
  std::string whole;     // the digits before the separator, maybe none
  std::string fraction;  // the digits after it, maybe none
};

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kBlanks = " \t";

std::optional<NumberParts> split(std::string_view text, char separator) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);

  NumberParts parts;
  if (text[0] == '-' || text[0] == '+') {
    parts.negative = text[0] == '-';
    text = text.substr(1);
  }
  const std::size_t wholeEnd = std::min(text.find_first_not_of(kDigits), text.size());
  parts.whole = text.substr(0, wholeEnd);
  text = text.substr(wholeEnd);
  if (!text.empty() && text[0] == separator) {
    text = text.substr(1);
    const std::size_t fractionEnd = std::min(text.find_first_not_of(kDigits), text.size());
    parts.fraction = text.substr(0, fractionEnd);
    text = text.substr(fractionEnd);
  }
  if (!text.empty() || (parts.whole.empty() && parts.fraction.empty())) return std::nullopt;
  return parts;
}

// Adds one to a string of decimal digits.
std::string plusOne(std::string digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return digits;
    }
    *it = '0';
  }
  return "1" + digits;
}

// The magnitude rounded half to even, as digits without leading zeros.
std::string roundedMagnitude(const NumberParts& parts) {
  std::string whole = parts.whole.substr(std::min(parts.whole.find_first_not_of('0'), parts.whole.size()));
  if (whole.empty()) whole = "0";
  if (parts.fraction.empty()) return whole;
  const char first = parts.fraction[0];
  const bool restIsZero = parts.fraction.find_first_not_of('0', 1) == std::string::npos;
  const bool wholeIsOdd = (whole.back() - '0') % 2 == 1;
  const bool up = first > '5' || (first == '5' && (!restIsZero || wholeIsOdd));
  return up ? plusOne(whole) : whole;
}

std::optional<std::int32_t> modelRead(std::string_view text, char separator) {
  const auto parts = split(text, separator);
  if (!parts) return std::nullopt;
  const std::string magnitude = roundedMagnitude(*parts);
  const std::string_view limit = parts->negative ? "2147483648" : "2147483647";
  const bool inRange =
      magnitude.size() < limit.size() || (magnitude.size() == limit.size() && magnitude <= limit);
  if (!inRange) return std::nullopt;
  const std::int64_t value = std::stoll(magnitude);
  return static_cast<std::int32_t>(parts->negative ? -value : value);
}

std::string shown(const std::optional<std::int32_t>& value) {
  return value ? std::to_string(*value) : "échec";
}

void check(std::string_view text, char separator) {
  const auto expected = modelRead(text, separator);
  const auto actual = search::readInteger(text, std::string_view(&separator, 1));
  if (actual == expected) return;
  std::fprintf(stderr, "readInteger(\"%.*s\", \"%c\") donne %s, le modèle %s\n",
               static_cast<int>(text.size()), text.data(), separator, shown(actual).c_str(),
               shown(expected).c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  check(text, ',');
  check(text, '.');
  return 0;
}
