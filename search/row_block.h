#pragma once

#include <cstdint>
#include <vector>

#include "search/hit.h"

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

// The hits of a block of consecutive rows from firstRow on, as a row sieve
// leaves them: two runs, each sorted by row and then by j (j = 0 included),
// which forEachHit merges into loop order. The merge is apart from the
// sieving so that another thread may do it.
struct RowBlock {
  std::int64_t firstRow = 0;
  std::vector<Found> first;
  std::vector<Found> second;

  void clear() {
    first.clear();
    second.clear();
  }
};

// Calls sink(hit) for each hit of the block, in loop order.
template <typename Sink>
void forEachHit(const RowBlock& block, Sink&& sink) {
  const auto hitOf = [&block](const Found& found) {
    return Hit{block.firstRow + found.row(), found.j(), static_cast<std::int64_t>(found.c)};
  };
  const Found* first = block.first.data();
  const Found* second = block.second.data();
  const Found* const firstEnd = first + block.first.size();
  const Found* const secondEnd = second + block.second.size();
  while (first != firstEnd && second != secondEnd) {
    // Without a branch on which run goes on: the runs interleave unpredictably.
    const bool fromFirst = first->key < second->key;
    const Found& next = fromFirst ? *first : *second;
    first += fromFirst ? 1 : 0;
    second += fromFirst ? 0 : 1;
    sink(hitOf(next));
  }
  for (; first != firstEnd; ++first) sink(hitOf(*first));
  for (; second != secondEnd; ++second) sink(hitOf(*second));
}

}  // namespace search
