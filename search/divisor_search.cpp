#include "search/divisor_search.h"

#include <algorithm>

#include "search/slice.h"

namespace search {
namespace {

// A row other than i = 0 has at most 29767 legs, each giving j = k and j = -k,
// and j = 0: a slice can always take one more whole row.
constexpr std::size_t kMaxRowHits = 2 * 29767 + 1;

std::uint64_t magnitude(std::int64_t value) {
  return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

}  // namespace

DivisorSearch::DivisorSearch(std::int64_t lower, std::int64_t upper)
    : lower_(lower),
      upper_(upper),
      nextI_(lower),
      // With a positive lower bound, j starts above i + lower, past the upper
      // bound once i > upper - lower; with lower <= 0 every row has j = i.
      lastI_(lower > 0 ? std::min(upper, upper - lower) : upper),
      slice_(std::make_unique_for_overwrite<Hit[]>(kSliceHits + kMaxRowHits)) {}

std::span<const Hit> DivisorSearch::next() {
  sliceSize_ = 0;
  for (std::size_t rows = 0; rows < kSliceRows && sliceSize_ < kSliceHits; ++rows) {
    if (inZeroRow_) {
      writeZeroRow();
    } else if (nextI_ <= lastI_) {
      writeRow(nextI_++);
    } else {
      break;
    }
  }
  return {slice_.get(), sliceSize_};
}

// 0² + j² = |j|²: every j of the row i = 0 is a hit, up to 2^32 of them, so
// this row is written a slice at a time.
void DivisorSearch::writeZeroRow() {
  for (; sliceSize_ < kSliceHits && zeroRowJ_ <= upper_; ++zeroRowJ_) {
    slice_[sliceSize_++] = {0, zeroRowJ_, static_cast<std::int64_t>(magnitude(zeroRowJ_))};
  }
  inZeroRow_ = zeroRowJ_ <= upper_;
}

// Writes the hits of row i, by ascending j: the legs k as j = -k from the
// longest, then j = 0, then the legs as j = k from the shortest.
void DivisorSearch::writeRow(std::int64_t i) {
  const std::int64_t firstJ = i + lower_;
  const std::int64_t lastJ = upper_;
  if (i == 0) {
    zeroRowJ_ = firstJ;
    inZeroRow_ = true;
    writeZeroRow();
    return;
  }
  // The legs that can fall in the row: firstJ <= k <= lastJ or firstJ <= -k <= lastJ.
  const std::int64_t positiveFrom = std::max<std::int64_t>(1, firstJ);
  const std::int64_t negativeFrom = std::max<std::int64_t>(1, -lastJ);
  std::uint64_t shortest = UINT64_MAX;
  std::uint64_t longest = 0;
  if (positiveFrom <= lastJ) {
    shortest = static_cast<std::uint64_t>(positiveFrom);
    longest = static_cast<std::uint64_t>(lastJ);
  }
  if (negativeFrom <= -firstJ) {
    shortest = std::min(shortest, static_cast<std::uint64_t>(negativeFrom));
    longest = std::max(longest, static_cast<std::uint64_t>(-firstJ));
  }
  const std::uint64_t m = magnitude(i);
  std::span<const Leg> legs;
  if (longest > 0) {
    factorBlockHolding(m, i < 0);
    legs = legFinder_.find(m, block_.factors(m), shortest, longest);
  }

  Hit* out = slice_.get() + sliceSize_;
  if (firstJ < 0) {
    for (std::size_t n = legs.size(); n-- > 0;) {
      const std::int64_t j = -static_cast<std::int64_t>(legs[n].leg);
      if (j >= firstJ && j <= lastJ) *out++ = {i, j, static_cast<std::int64_t>(legs[n].root)};
    }
  }
  if (firstJ <= 0 && lastJ >= 0) *out++ = {i, 0, static_cast<std::int64_t>(m)};
  for (const Leg& leg : legs) {
    const auto j = static_cast<std::int64_t>(leg.leg);
    if (j >= firstJ && j <= lastJ) *out++ = {i, j, static_cast<std::int64_t>(leg.root)};
  }
  sliceSize_ = static_cast<std::size_t>(out - slice_.get());
}

void DivisorSearch::factorBlockHolding(std::uint64_t m, bool descending) {
  if (block_.holds(m)) return;
  // Rows run towards |i| = 1 for negative i and away from it for positive i.
  const std::uint64_t capacity = FactorBlock::kCapacity;
  const std::uint64_t first = descending ? (m > capacity ? m - capacity + 1 : 1) : m;
  const std::uint64_t last = descending ? m : std::min(m + capacity - 1, magnitude(lastI_));
  block_.factorize(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last - first + 1));
}

}  // namespace search
