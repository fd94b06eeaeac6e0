#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace search {

// The longest text formatInteger writes: a sign position and 19 digits.
inline constexpr std::size_t kMaxNumberText = 20;

// Writes value as one sign position (a space for zero and positive values, a
// minus sign for negative ones) followed by its decimal digits, the same in
// every locale. Returns one past the last character written.
char* formatInteger(std::int64_t value, char* out);
std::string formatInteger(std::int64_t value);

// Reads a 32-bit integer from text typed into a field: blanks around it, an
// optional sign, digits, and an optional fractional part after the locale's
// decimal separator, rounded half to even. Fails (never yields 0 instead) on
// empty or blank text, anything that is not such a number, and values outside
// the 32-bit range.
std::optional<std::int32_t> readInteger(std::string_view text, std::string_view decimalSeparator);

}  // namespace search
