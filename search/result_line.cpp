#include "search/result_line.h"

#include <array>
#include <cstring>

#include "search/decimal_digits.h"
#include "search/triple_arithmetic.h"

namespace search {

ResultLine::ResultLine() { setRow(0); }

// Keeps the text of i, its sign position and the space after it.
void ResultLine::setRow(std::int64_t i) {
  i_ = i;
  iText_[0] = i < 0 ? '-' : ' ';
  char* end = writeAnyDigitsByFours(magnitude(i), iText_.data() + 1);
  *end++ = ' ';
  iLength_ = static_cast<std::size_t>(end - iText_.data());
}

char* ResultLine::write(const Hit& hit, char* out) {
  if (hit.i != i_) setRow(hit.i);
  // The whole array, a fixed size, copies faster than its used part.
  std::memcpy(out, iText_.data(), iText_.size());
  out += iLength_;
  *out++ = hit.j < 0 ? '-' : ' ';
  out = writeAnyDigitsByFours(magnitude(hit.j), out);
  *out++ = ' ';
  *out++ = ' ';
  return writeAnyDigitsByFours(static_cast<std::uint64_t>(hit.c), out);
}

// Writing numbers four digits at a time leaves up to 3 characters past a
// number below 10^8 only, which with them is still shorter than the longest
// number: a line never reaches past kMaxLineText.
static_assert(1 + 8 + 3 <= kMaxNumberText);

std::string_view ResultLine::format(const Hit& hit) {
  return {text_.data(), static_cast<std::size_t>(write(hit, text_.data()) - text_.data())};
}

// Every number of the sieve, c < √2 · kMaxUpper included, has at most 8 digits.
static_assert(TripleSieve::kMaxUpper * 3 / 2 < 100'000'000);

char* writeSievedLines(const SievedBlock& block, std::uint32_t from, std::uint32_t to, char* out) {
  std::uint32_t at = block.rowBegin(from);
  for (std::uint32_t row = from; row < to; ++row) {
    const std::uint32_t end = block.rowEnds[row];
    if (at == end) continue;
    // The row's i with its sign position, the space after it and j's sign
    // position, copied whole to each of its lines.
    std::array<char, 12> iText{' '};
    char* iEnd = writeDigits(block.firstRow + row, iText.data() + 1);
    *iEnd++ = ' ';
    *iEnd++ = ' ';
    const auto iLength = static_cast<std::size_t>(iEnd - iText.data());
    for (; at < end; ++at) {
      std::memcpy(out, iText.data(), iText.size());
      out = writeDigitsByFours(block.hits[at].j, out + iLength);
      *out++ = ' ';
      *out++ = ' ';
      out = writeDigitsByFours(block.hits[at].c, out);
      *out++ = '\n';
    }
  }
  return out;
}

std::string rangeLine(std::int32_t lower, std::int32_t upper) {
  return "entre " + formatInteger(lower) + " et" + formatInteger(upper);
}

}  // namespace search
