#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "search/number_text.h"
#include "search/triple_search.h"
#include "search/triple_sieve.h"

namespace search {

// The longest result line: three numbers and the two spaces between them.
inline constexpr std::size_t kMaxLineText = 3 * kMaxNumberText + 2;

// Formats hits as result lines ("i j c", each number with its sign position,
// joined by single spaces), so that writing millions of lines allocates
// nothing. The hits of one row share i, whose text is kept from line to line.
class ResultLine {
 public:
  ResultLine();

  // Writes the line of hit at out, which has room for kMaxLineText
  // characters, and returns one past its last character.
  char* write(const Hit& hit, char* out);
  // The line of hit in a buffer of its own, valid until the next call.
  std::string_view format(const Hit& hit);

 private:
  void setRow(std::int64_t i);

  std::int64_t i_ = 0;
  // i and the space after it, and room for what writing i four digits at a
  // time may leave past them.
  std::array<char, kMaxNumberText + 4> iText_{};
  std::size_t iLength_ = 0;
  std::array<char, kMaxLineText> text_{};
};

// The longest line of a sieved hit with its line end: three numbers of at
// most 8 digits (below 2^26), each after its sign position, and two spaces.
inline constexpr std::size_t kMaxSievedLine = 3 * 9 + 2 + 1;

// Writes the lines of the hits of the block's rows from up to to (counted
// from its first row), each ended by '\n', at out, which has room for
// kMaxSievedLine characters a hit, and returns one past the last.
char* writeSievedLines(const SievedBlock& block, std::uint32_t from, std::uint32_t to, char* out);

// The two lines written when a search finds nothing.
inline constexpr std::string_view kNoResultLine = "pas de nombres";
std::string rangeLine(std::int32_t lower, std::int32_t upper);

}  // namespace search
