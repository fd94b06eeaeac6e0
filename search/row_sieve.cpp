#include "search/row_sieve.h"

#include <algorithm>
#include <numeric>

#include "search/cone_walk.h"

namespace search {
namespace {

constexpr std::uint32_t kBlockRows = RowSieve::kBlockRows;
// A window holds about this many waiting multiples at most, and grows or
// shrinks from one to the next to hold about as many.
constexpr std::size_t kWindowWaiting = std::size_t{1} << 20;
constexpr std::uint32_t kMaxWindowBlocks = 4096;
constexpr double kSlopeMargin = 1e-9;

bool contains(const Multipliers& k, std::int64_t value) { return value >= k.first && value <= k.last; }

// The least and the greatest slope |j| / |i| that the rows of magnitudes
// first to last can reach, each row's range of |j| being the union of the
// j < 0 and j > 0 parts of its loop: never narrower than the truth.
struct Slopes {
  double low = HUGE_VAL;
  double high = -HUGE_VAL;
  void add(double value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
};

}  // namespace

RowSieve::RowSieve(std::int32_t lower, std::int32_t upper, int sign)
    : lower_(lower), upper_(upper), sign_(sign), step_(sign), rowEnds_(kBlockRows) {
  // Positive rows: from max(lower, 1) until j's range, from i + lower, passes
  // upper. Negative rows: from lower, and every j range holds j = i or more.
  std::int64_t firstRow = 0;
  std::int64_t lastRow = 0;
  if (sign > 0) {
    firstRow = std::max<std::int64_t>(lower, 1);
    lastRow = std::min<std::int64_t>(upper, upper_ - lower_);
  } else {
    firstRow = lower;
    lastRow = std::min<std::int64_t>(upper, -1);
  }
  firstMagnitude_ = magnitude(firstRow);
  positions_ = lastRow >= firstRow ? static_cast<std::uint64_t>(lastRow - firstRow + 1) : 0;
  anyNegativeJ_ = positions_ > 0 && firstRow + lower_ <= -1;
  if (positions_ == 0) return;
  addShortPairs();
}

std::uint64_t RowSieve::magnitudeAt(std::uint64_t position) const {
  return step_ > 0 ? firstMagnitude_ + position : firstMagnitude_ - position;
}

std::int64_t RowSieve::rowAt(std::uint64_t position) const {
  return sign_ * static_cast<std::int64_t>(magnitudeAt(position));
}

std::uint64_t RowSieve::positionOf(std::uint64_t magnitude) const {
  return step_ > 0 ? magnitude - firstMagnitude_ : firstMagnitude_ - magnitude;
}

std::int64_t RowSieve::nextRow() const { return rowAt(nextPosition_); }

// Every primitive pair whose row leg is shorter than a block, in both orders
// of its legs, that has a multiple in the loops; sorted by slope, so that
// their hits of a row come by ascending |j|.
void RowSieve::addShortPairs() {
  for (std::uint64_t n = 1; 2 * n * (n + 1) < kBlockRows; ++n) {
    for (std::uint64_t m = n + 1; 2 * m * n < kBlockRows; m += 2) {
      if (cone_detail::coprime(static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(n))) {
        const Triple triple = tripleOf(m, n);
        addShortPair(triple.even, triple.odd, triple.hypotenuse);
      }
    }
  }
  for (std::uint64_t n = 1; 2 * n + 1 < kBlockRows; ++n) {
    for (std::uint64_t m = n + 1; m * m - n * n < kBlockRows; m += 2) {
      if (cone_detail::coprime(static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(n))) {
        const Triple triple = tripleOf(m, n);
        addShortPair(triple.odd, triple.even, triple.hypotenuse);
      }
    }
  }
  std::sort(shortPairs_.begin(), shortPairs_.end(), [](const ShortPair& a, const ShortPair& b) {
    return std::uint64_t{a.y} * b.x < std::uint64_t{b.y} * a.x;
  });
}

void RowSieve::addShortPair(std::uint64_t x, std::uint64_t y, std::uint64_t h) {
  const Multipliers negative =
      anyNegativeJ_ ? multipliersInLoops(lower_, upper_, {sign_, -1}, x, y) : Multipliers{1, 0};
  const Multipliers positive = multipliersInLoops(lower_, upper_, {sign_, +1}, x, y);
  if (negative.empty() && positive.empty()) return;
  // The multiples run with the rows: up the k where magnitudes rise.
  const auto ends = [&](auto pick) {
    if (negative.empty()) return pick(positive.first, positive.last);
    if (positive.empty()) return pick(negative.first, negative.last);
    return pick(std::min(negative.first, positive.first), std::max(negative.last, positive.last));
  };
  const std::int64_t firstK = ends([&](std::int64_t first, std::int64_t last) { return step_ > 0 ? first : last; });
  const std::int64_t lastK = ends([&](std::int64_t first, std::int64_t last) { return step_ > 0 ? last : first; });
  shortPairs_.push_back({static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), h, firstK,
                         positionOf(static_cast<std::uint64_t>(firstK) * x), negative, positive, lastK});
}

// Finds the multiples of the pairs at least a block long whose rows fall in
// the next window, each in its block's bucket.
void RowSieve::fillWindow() {
  const std::uint64_t blocks = (positions_ + kBlockRows - 1) / kBlockRows;
  const std::uint64_t first = windowFirst_ + windowFilled_;
  const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(windowBlocks_, blocks - first));
  windowFirst_ = first;
  windowFilled_ = count;
  buckets_.resize(std::max<std::size_t>(buckets_.size(), count));
  for (auto& bucket : buckets_) bucket.clear();

  const std::uint64_t firstPosition = first * kBlockRows;
  const std::uint64_t lastPosition = std::min(positions_, (first + count) * kBlockRows) - 1;
  const std::uint64_t low = std::min(magnitudeAt(firstPosition), magnitudeAt(lastPosition));
  const std::uint64_t high = std::max(magnitudeAt(firstPosition), magnitudeAt(lastPosition));

  // In row i = sign · a, j > 0 reaches |j| from max(1, i + lower) to upper,
  // and j < 0 from max(1, -upper) to -(i + lower). As slopes |j| / a, each
  // end is monotone in a, or the greater of two such: their values at the
  // window's ends bound them.
  Slopes slopes;
  const auto loopStart = [&](std::uint64_t a) { return sign_ * static_cast<std::int64_t>(a) + lower_; };
  const bool startsBelowOne = loopStart(low) < 1 || loopStart(high) < 1;
  for (const std::uint64_t end : {low, high}) {
    const double a = static_cast<double>(end);
    const double start = static_cast<double>(loopStart(end)) / a;
    if (upper_ >= 1) {
      slopes.add(startsBelowOne ? std::min(start, 1 / a) : start);
      slopes.add(static_cast<double>(upper_) / a);
    }
    if (anyNegativeJ_) {
      slopes.add(static_cast<double>(std::max<std::int64_t>(1, -upper_)) / a);
      slopes.add(-start);
    }
  }
  const double slopeLow = std::max(0.0, slopes.low) * (1 - kSlopeMargin);
  const double slopeHigh = slopes.high * (1 + kSlopeMargin);

  std::size_t waiting = 0;
  for (std::uint64_t k = 1; k <= high / kBlockRows; ++k) {
    const Cone cone{std::max<std::uint64_t>(kBlockRows, (low + k - 1) / k), high / k, slopeLow, slopeHigh};
    const auto visit = [&](std::uint64_t m, std::uint64_t n, bool oddRow) {
      const Triple triple = tripleOf(m, n);
      const std::uint64_t x = oddRow ? triple.odd : triple.even;
      const std::uint64_t y = oddRow ? triple.even : triple.odd;
      const std::int64_t i = sign_ * static_cast<std::int64_t>(k * x);
      const auto j = static_cast<std::int64_t>(k * y);
      const bool negative = anyNegativeJ_ && -j >= i + lower_ && -j <= upper_;
      const bool positive = j >= i + lower_ && j <= upper_;
      if (!negative && !positive) return;
      const std::uint64_t position = positionOf(k * x) - firstPosition;
      std::uint32_t flags = oddRow ? kOddRow : 0;
      if (negative) flags |= kNegativeJ;
      if (positive) flags |= kPositiveJ;
      buckets_[position / kBlockRows].push_back({static_cast<std::uint32_t>(position % kBlockRows),
                                                 static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(m),
                                                 static_cast<std::uint32_t>(n) | flags});
      ++waiting;
    };
    walkEvenRowLegs(cone, [&](std::uint64_t m, std::uint64_t n) { visit(m, n, false); });
    walkOddRowLegs(cone, [&](std::uint64_t m, std::uint64_t n) { visit(m, n, true); });
  }
  if (waiting > kWindowWaiting && windowBlocks_ > 1) windowBlocks_ /= 2;
  if (waiting < kWindowWaiting / 4 && windowBlocks_ < kMaxWindowBlocks) windowBlocks_ *= 2;
}

// The multiples of the short pairs in the positions first to end: those
// with j < 0 by descending slope, then those with j > 0 by ascending slope.
void RowSieve::findShortPairHits(std::uint64_t first, std::uint64_t end) {
  if (anyNegativeJ_) {
    for (auto pair = shortPairs_.rbegin(); pair != shortPairs_.rend(); ++pair) {
      std::int64_t k = pair->k;
      for (std::uint64_t position = pair->position; position < end; position += pair->x, k += step_) {
        if (contains(pair->negative, k)) {
          found_.push_back({static_cast<std::uint32_t>(position - first), -k * std::int64_t{pair->y},
                            static_cast<std::uint64_t>(k) * pair->h});
        }
      }
    }
  }
  std::size_t kept = 0;
  for (ShortPair pair : shortPairs_) {
    for (; pair.position < end; pair.position += pair.x, pair.k += step_) {
      if (contains(pair.positive, pair.k)) {
        found_.push_back({static_cast<std::uint32_t>(pair.position - first), pair.k * std::int64_t{pair.y},
                          static_cast<std::uint64_t>(pair.k) * pair.h});
      }
    }
    if (step_ > 0 ? pair.k <= pair.lastK : pair.k >= pair.lastK) shortPairs_[kept++] = pair;
  }
  shortPairs_.resize(kept);
}

void RowSieve::findWaitingHits(std::uint32_t block) {
  for (const Waiting& waiting : buckets_[block]) {
    const std::uint64_t n = waiting.n & ~kFlags;
    const Triple triple = tripleOf(waiting.m, n);
    const std::uint64_t y = (waiting.n & kOddRow) != 0 ? triple.even : triple.odd;
    const auto j = static_cast<std::int64_t>(waiting.k * y);
    const std::uint64_t c = waiting.k * triple.hypotenuse;
    if ((waiting.n & kNegativeJ) != 0) found_.push_back({waiting.row, -j, c});
    if ((waiting.n & kPositiveJ) != 0) found_.push_back({waiting.row, j, c});
  }
}

// Orders the block's hits by row, then by j: a stable counting sort by row
// keeps the short pairs' order, and the waiting multiples, after them, are
// sorted in by insertion. j = 0 goes between the negative and positive j.
void RowSieve::sortBlock(std::uint64_t first, std::uint32_t rows) {
  const auto ends = std::span(rowEnds_).first(rows);
  std::fill(ends.begin(), ends.end(), 0);
  for (const Found& hit : found_) ++ends[hit.row];
  std::exclusive_scan(ends.begin(), ends.end(), ends.begin(), 0U);
  std::vector<Found>& sorted = sortedScratch_;
  sorted.resize(found_.size());
  for (const Found& hit : found_) sorted[ends[hit.row]++] = hit;

  hits_.clear();
  std::uint32_t begin = 0;
  for (std::uint32_t row = 0; row < rows; ++row) {
    const std::uint32_t end = ends[row];
    for (std::uint32_t n = begin + 1; n < end; ++n) {
      const Found moving = sorted[n];
      std::uint32_t at = n;
      for (; at > begin && moving.j < sorted[at - 1].j; --at) sorted[at] = sorted[at - 1];
      sorted[at] = moving;
    }
    const std::int64_t i = rowAt(first + row);
    const bool zero = i + lower_ <= 0 && upper_ >= 0;
    std::uint32_t n = begin;
    for (; n < end && sorted[n].j < 0; ++n) hits_.push_back({i, sorted[n].j, static_cast<std::int64_t>(sorted[n].c)});
    if (zero) hits_.push_back({i, 0, static_cast<std::int64_t>(magnitude(i))});
    for (; n < end; ++n) hits_.push_back({i, sorted[n].j, static_cast<std::int64_t>(sorted[n].c)});
    begin = end;
  }
}

std::span<const Hit> RowSieve::nextBlock() {
  const std::uint64_t block = nextPosition_ / kBlockRows;
  if (block >= windowFirst_ + windowFilled_) fillWindow();
  const std::uint64_t first = nextPosition_;
  const auto rows = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockRows, positions_ - first));
  found_.clear();
  findShortPairHits(first, first + rows);
  findWaitingHits(static_cast<std::uint32_t>(block - windowFirst_));
  sortBlock(first, rows);
  nextPosition_ += rows;
  return hits_;
}

}  // namespace search
