#pragma once

#include <cstdint>
#include <vector>

#include "search/hit.h"
#include "search/triple_arithmetic.h"

namespace search {

// A hit of a block of rows: its row in the block and j in one key that
// orders hits by row, then j (|j| <= 2^32), and c.
struct Found {
  static constexpr unsigned kRowShift = 34;
  static constexpr std::int64_t kJOffset = std::int64_t{1} << 33;
  Found(std::uint32_t row, std::int64_t j, std::uint64_t root)
      : key(std::uint64_t{row} << kRowShift | static_cast<std::uint64_t>(j + kJOffset)), c(root) {}
  Found() = default;
  [[nodiscard]] std::uint32_t row() const { return static_cast<std::uint32_t>(key >> kRowShift); }
  [[nodiscard]] std::int64_t j() const {
    return static_cast<std::int64_t>(key & ((std::uint64_t{1} << kRowShift) - 1)) - kJOffset;
  }
  std::uint64_t key;
  std::uint64_t c;
};

// The hits of a block of consecutive rows, as a row sieve leaves them: two
// runs, each sorted by row and then by j, whose rows are merged into loop
// order by forEachHit. The merge is apart from the sieving so that another
// thread may do it. Rows firstRow to firstRow + rows - 1 in the block; run
// r's hits of row n are r[ends[n - 1] .. ends[n]).
struct RowBlock {
  std::int64_t firstRow = 0;
  std::uint32_t rows = 0;
  // Every row up to this one holds j = 0, between its negative and positive j.
  std::int64_t lastRowWithZero = 0;
  // A block with no j = 0 and far fewer hits than rows: its hits are in
  // first alone, in loop order, and no ends are kept.
  bool sparse = false;
  std::vector<Found> first;
  std::vector<Found> second;
  std::vector<std::uint32_t> firstEnds;
  std::vector<std::uint32_t> secondEnds;

  [[nodiscard]] bool empty() const { return rows == 0; }
  void clear() { rows = 0; }
};

// Calls sink(hit) for each hit of the block, in loop order.
template <typename Sink>
void forEachHit(const RowBlock& block, Sink&& sink) {
  if (block.sparse) {
    for (const Found& hit : block.first) {
      sink(Hit{block.firstRow + hit.row(), hit.j(), static_cast<std::int64_t>(hit.c)});
    }
    return;
  }
  const Found* const first = block.first.data();
  const Found* const second = block.second.data();
  std::uint32_t firstAt = 0;
  std::uint32_t secondAt = 0;
  const bool anyZero = block.firstRow <= block.lastRowWithZero;
  for (std::uint32_t row = 0; row < block.rows; ++row) {
    const std::uint32_t firstEnd = block.firstEnds[row];
    const std::uint32_t secondEnd = block.secondEnds[row];
    if (!anyZero && firstAt == firstEnd && secondAt == secondEnd) continue;
    const std::int64_t i = block.firstRow + row;
    bool zeroDue = i <= block.lastRowWithZero;
    const auto write = [&](const Found& hit) {
      const std::int64_t j = hit.j();
      if (zeroDue && j > 0) {
        sink(Hit{i, 0, static_cast<std::int64_t>(magnitude(i))});
        zeroDue = false;
      }
      sink(Hit{i, j, static_cast<std::int64_t>(hit.c)});
    };
    while (firstAt < firstEnd && secondAt < secondEnd) {
      write(first[firstAt].key < second[secondAt].key ? first[firstAt++] : second[secondAt++]);
    }
    for (; firstAt < firstEnd; ++firstAt) write(first[firstAt]);
    for (; secondAt < secondEnd; ++secondAt) write(second[secondAt]);
    if (zeroDue) sink(Hit{i, 0, static_cast<std::int64_t>(magnitude(i))});
  }
}

}  // namespace search
