// The writers of result lines against lines made with std::to_chars: the
// window's and the command line's (ResultLine, by each of its ways of writing
// digits) and the sieve's blocks, at every digit count and either side of
// every power of ten and of 2^32.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "search/result_line.h"
#include "search/triple_sieve.h"
#include "tests/pair_reference.h"

namespace {

using search::Hit;

// 0, and either side of 10^1 ... 10^18, 2^31 and 2^32, and the ends of 64 bits.
std::vector<std::int64_t> edgeNumbers() {
  std::vector<std::int64_t> numbers{0, INT64_MAX, INT64_MIN};
  for (std::int64_t power = 10;; power *= 10) {
    numbers.insert(numbers.end(), {power - 1, power, 1 - power, -power});
    if (power > INT64_MAX / 10) break;
  }
  for (const std::int64_t power : {std::int64_t{1} << 31, std::int64_t{1} << 32}) {
    numbers.insert(numbers.end(), {power - 1, power, 1 - power, -power});
  }
  return numbers;
}

// Whether c is at least |leg|, as in every hit.
bool atLeast(std::int64_t c, std::int64_t leg) {
  const std::uint64_t magnitude =
      leg < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(leg) : static_cast<std::uint64_t>(leg);
  return c >= 0 && static_cast<std::uint64_t>(c) >= magnitude;
}

TEST(ResultLines, AreThoseOfToCharsAtEveryDigitCountAndEdge) {
  const std::vector<std::int64_t> numbers = edgeNumbers();
  search::ResultLine line;
  for (const std::int64_t i : numbers) {
    for (const std::int64_t j : numbers) {
      for (const std::int64_t c : numbers) {
        if (!atLeast(c, i) || !atLeast(c, j)) continue;  // no hit: c² = i² + j²
        const Hit hit{i, j, c};
        ASSERT_EQ(line.format(hit), referenceLine(hit));
      }
    }
  }

  // The sieve's blocks, written in two parts as the command line may: rows of
  // 1 to 5 digits, then 6 and 7, then 8.
  for (const auto& [lower, upper] :
       {std::pair<std::int64_t, std::int64_t>{1, 20000}, {400000, 1100000}, {12000000, 24500000}}) {
    search::TripleSieve sieve(lower, upper);
    while (!sieve.finished()) {
      const search::SievedBlock& block = sieve.nextBlock();
      const auto rows = static_cast<std::uint32_t>(block.rowEnds.size());
      std::string expected;
      for (std::uint32_t row = 0; row < rows; ++row) {
        for (std::uint32_t at = block.rowBegin(row); at < block.rowEnds[row]; ++at) {
          expected += referenceLine({block.firstRow + row, block.hits[at].j, block.hits[at].c}) + '\n';
        }
      }
      std::string written(block.hits.size() * search::kMaxSievedLine, '\0');
      char* end = search::writeSievedLines(block, 0, rows / 2, written.data());
      end = search::writeSievedLines(block, rows / 2, rows, end);
      written.resize(static_cast<std::size_t>(end - written.data()));
      ASSERT_EQ(written, expected) << "the block from row " << block.firstRow;
    }
  }
}

}  // namespace
