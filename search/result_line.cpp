#include "search/result_line.h"

#include <cstring>

#include "search/decimal_digits.h"

namespace search {

ResultLine::ResultLine() {
  char* end = formatInteger(i_, iText_.data());
  *end++ = ' ';
  iLength_ = static_cast<std::size_t>(end - iText_.data());
}

char* ResultLine::write(const Hit& hit, char* out) {
  if (hit.i != i_) {
    i_ = hit.i;
    char* end = formatInteger(i_, iText_.data());
    *end++ = ' ';
    iLength_ = static_cast<std::size_t>(end - iText_.data());
  }
  // The whole array, a fixed size, copies faster than its used part.
  std::memcpy(out, iText_.data(), iText_.size());
  out += iLength_;
  // A positive j, as on nearly every line, and c fit 32 bits: no sign to
  // handle and no 64-bit arithmetic.
  if (hit.j > 0 && hit.c <= UINT32_MAX) {
    *out++ = ' ';
    out = writeDigits(static_cast<std::uint32_t>(hit.j), out);
    *out++ = ' ';
    *out++ = ' ';
    return writeDigits(static_cast<std::uint32_t>(hit.c), out);
  }
  out = formatInteger(hit.j, out);
  *out++ = ' ';
  return formatInteger(hit.c, out);
}

std::string_view ResultLine::format(const Hit& hit) {
  return {text_.data(), static_cast<std::size_t>(write(hit, text_.data()) - text_.data())};
}

std::string rangeLine(std::int32_t lower, std::int32_t upper) {
  return "entre " + formatInteger(lower) + " et" + formatInteger(upper);
}

}  // namespace search
