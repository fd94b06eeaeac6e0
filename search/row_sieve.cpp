#include "search/row_sieve.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <numeric>
#include <span>
#include <thread>

namespace search {
namespace {

constexpr std::uint32_t kBlockRows = RowSieve::kBlockRows;
constexpr std::uint64_t kRingBlocks = RowSieve::kMediumRows / kBlockRows + 1;
// A window holds about kWindowMultiples multiples of long pairs (12 MB): it
// starts with the rows that the density of the window before fills, and
// takes more where the multiples found by its first walk foretell fewer.
constexpr std::size_t kWindowMultiples = std::size_t{3} << 19;
constexpr double kSlopeMargin = 1e-9;
// A block with fewer hits than one for this many rows is sorted in groups
// of rows.
constexpr std::uint32_t kSparseRowsPerHit = 2;

// The first k whose annulus of row legs in a window ending at magnitude high
// is walked in a band of k: a walk of one k costs about √(high / k) columns
// whatever its rows, a band [k, 2k) about high / k pairs, most with no
// multiple in the rows; the band wins once k^(3/2) passes √high / kBandRatio.
constexpr double kBandRatio = 8;
std::uint64_t kBandsFrom(std::uint64_t high) {
  return static_cast<std::uint64_t>(std::cbrt(static_cast<double>(high) / (kBandRatio * kBandRatio))) + 1;
}

// A pair with a multiple in the loops has a column leg y = 2mn or m² - n²
// of at most the largest |j|, so n² < |j|: the odd primes of n below this
// limit are enough, and a table past it would only cost time.
std::uint32_t primesLimit(std::int32_t lower, std::int32_t upper) {
  const std::uint64_t largestJ = std::max(magnitude(upper), 2 * magnitude(lower));
  return static_cast<std::uint32_t>(integerSqrt(largestJ)) + 2;
}

bool contains(const Multipliers& k, std::int64_t value) { return value >= k.first && value <= k.last; }

// The least and the greatest of some slopes.
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
    : lower_(lower),
      upper_(upper),
      sign_(sign),
      step_(sign),
      primes_(primesLimit(lower, upper)),
      ring_(kRingBlocks),
      window_{WindowPart{BucketRing<LongMultiple>(kWidestWindowBlocks)},
              WindowPart{BucketRing<LongMultiple>(kWidestWindowBlocks)}},
      shortEnds_(kBlockRows),
      otherEnds_(kBlockRows) {
  // Positive rows: from max(lower, 1) until j's range, from i + lower, passes
  // upper. Negative rows: from lower, and every j range holds j = i or more.
  const std::int64_t firstRow = sign > 0 ? std::max<std::int64_t>(lower, 1) : lower;
  const std::int64_t lastRow = sign > 0 ? std::min<std::int64_t>(upper, std::int64_t{upper} - lower)
                                        : std::min<std::int64_t>(upper, -1);
  firstMagnitude_ = magnitude(firstRow);
  positions_ = lastRow >= firstRow ? static_cast<std::uint64_t>(lastRow - firstRow + 1) : 0;
  anyNegativeJ_ = positions_ > 0 && firstRow + lower_ <= -1;
  if (positions_ == 0) return;
  const std::uint64_t longest = std::max(magnitude(firstRow), magnitude(lastRow));
  addPairsShorterThan(std::min<std::uint64_t>(kMediumRows, longest + 1));
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

std::uint64_t RowSieve::positionOf(const Multiple& multiple) const {
  return positionOf(multiple.k * legsOf(multiple).x);
}

std::int64_t RowSieve::nextRow() const { return rowAt(nextPosition_); }

RowSieve::Multiple RowSieve::pairOf(std::uint64_t m, std::uint64_t n, bool oddRow) {
  return {static_cast<std::uint32_t>(m), static_cast<std::uint32_t>(n) | (oddRow ? kOddRow : 0), 0, 0};
}

RowSieve::Legs RowSieve::legsOf(const Multiple& multiple) {
  const Triple triple = tripleOf(multiple.m, multiple.n & ~kOddRow);
  if ((multiple.n & kOddRow) != 0) return {triple.odd, triple.even, triple.hypotenuse};
  return {triple.even, triple.odd, triple.hypotenuse};
}

// The cone of pairs whose multiples can fall in the rows of magnitudes low
// to high. In row i = sign · a, j > 0 reaches |j| from max(1, i + lower) to
// upper, and j < 0 from max(1, -upper) to -(i + lower). As slopes |j| / a,
// each end is monotone in a, or the greater of two such: their values at
// the ends bound them, never narrower than the truth.
Cone RowSieve::coneOf(std::uint64_t low, std::uint64_t high) const {
  Slopes slopes;
  const auto loopStart = [&](std::uint64_t a) { return sign_ * static_cast<std::int64_t>(a) + lower_; };
  const bool startsBelowOne = loopStart(low) < 1 || loopStart(high) < 1;
  for (const std::uint64_t end : {low, high}) {
    const auto a = static_cast<double>(end);
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
  return {1, high, std::max(0.0, slopes.low) * (1 - kSlopeMargin), slopes.high * (1 + kSlopeMargin)};
}

// Every primitive pair, in both orders of its legs, whose row leg is shorter
// than length and that has a multiple in the loops: the short ones sorted by
// slope, so that their hits of a row come by ascending |j|; the medium ones
// in the ring, or waiting for it.
void RowSieve::addPairsShorterThan(std::uint64_t length) {
  const std::uint64_t low = std::min(magnitudeAt(0), magnitudeAt(positions_ - 1));
  const std::uint64_t high = std::max(magnitudeAt(0), magnitudeAt(positions_ - 1));
  Cone cone = coneOf(low, high);
  cone.xLast = length - 1;
  walkEvenRowLegs(cone, primes_, [&](std::uint64_t m, std::uint64_t n) { addPair(m, n, false); });
  walkOddRowLegs(cone, primes_, [&](std::uint64_t m, std::uint64_t n) { addPair(m, n, true); });
  std::sort(shortPairs_.begin(), shortPairs_.end(), [](const ShortPair& a, const ShortPair& b) {
    return std::uint64_t{a.y} * b.x < std::uint64_t{b.y} * a.x;
  });
  std::sort(pending_.begin(), pending_.end(),
            [this](const Multiple& a, const Multiple& b) { return positionOf(a) > positionOf(b); });
}

void RowSieve::addPair(std::uint64_t m, std::uint64_t n, bool oddRow) {
  const Multiple pair = pairOf(m, n, oddRow);
  const auto [x, y, h] = legsOf(pair);
  const Multipliers negative =
      anyNegativeJ_ ? multipliersInLoops(lower_, upper_, {sign_, -1}, x, y) : Multipliers{1, 0};
  const Multipliers positive = multipliersInLoops(lower_, upper_, {sign_, +1}, x, y);
  if (negative.empty() && positive.empty()) return;
  // The multiples run with the rows: up the k where magnitudes rise.
  Multipliers all = negative.empty() ? positive : negative;
  if (!negative.empty() && !positive.empty()) {
    all = {std::min(negative.first, positive.first), std::max(negative.last, positive.last)};
  }
  const std::int64_t firstK = step_ > 0 ? all.first : all.last;
  const std::int64_t lastK = step_ > 0 ? all.last : all.first;
  const std::uint64_t position = positionOf(static_cast<std::uint64_t>(firstK) * x);
  if (x < kBlockRows) {
    shortPairs_.push_back({static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), h, firstK, position,
                           negative, positive, lastK});
    return;
  }
  const Multiple multiple{pair.m, pair.n, static_cast<std::uint32_t>(firstK),
                          static_cast<std::uint32_t>(lastK)};
  if (position / kBlockRows < kRingBlocks) {
    ring_.add(position / kBlockRows, multiple);
  } else {
    pending_.push_back(multiple);
  }
}

// Sets the window to count blocks from windowFirst_ and the magnitudes of its rows.
void RowSieve::setWindowBlocks(std::uint32_t count) {
  windowFilled_ = count;
  const std::uint64_t firstPosition = windowFirst_ * kBlockRows;
  const std::uint64_t lastPosition = std::min(positions_, (windowFirst_ + count) * kBlockRows) - 1;
  windowLow_ = std::min(magnitudeAt(firstPosition), magnitudeAt(lastPosition));
  windowHigh_ = std::max(magnitudeAt(firstPosition), magnitudeAt(lastPosition));
}

// Keeps the multiple k of a pair, in the window's rows, where it falls in
// the loops.
inline void RowSieve::keepMultiple(const Multiple& pair, const Legs& legs, std::uint64_t k,
                                   WindowPart& part) const {
  const std::uint64_t a = k * legs.x;
  const std::int64_t i = sign_ * static_cast<std::int64_t>(a);
  const auto j = static_cast<std::int64_t>(k * legs.y);
  const bool inLoops =
      (j >= i + lower_ && j <= upper_) || (anyNegativeJ_ && -j >= i + lower_ && -j <= upper_);
  if (!inLoops) return;
  part.bucket.add(positionOf(a) / kBlockRows, LongMultiple(pair.m, pair.n, static_cast<std::uint32_t>(k)));
  ++part.multiples;
}

// Keeps the multiples k of the walk's pairs in the rows of its magnitudes:
// of one k, or of each k of a band, in one walk of the union of their annuli
// of row legs, each pair taking the k of the band that put it in the rows.
void RowSieve::walk(const Walk& job, WindowPart& part) const {
  const Cone slopes = coneOf(job.low, job.high);
  const Cone cone{std::max<std::uint64_t>(kMediumRows, (job.low + job.lastK - 1) / job.lastK),
                  job.high / job.firstK, slopes.slopeLow, slopes.slopeHigh};
  const auto walkLegs = [&](auto visit) {
    if (job.oddRow) {
      walkOddRowLegs(cone, primes_, [&](std::uint64_t m, std::uint64_t n) { visit(pairOf(m, n, true)); });
    } else {
      walkEvenRowLegs(cone, primes_, [&](std::uint64_t m, std::uint64_t n) { visit(pairOf(m, n, false)); });
    }
  };
  if (job.firstK == job.lastK) {
    walkLegs([&](const Multiple& pair) { keepMultiple(pair, legsOf(pair), job.firstK, part); });
    return;
  }
  walkLegs([&](const Multiple& pair) {
    const Legs legs = legsOf(pair);
    const std::uint64_t kEnd = std::min(job.lastK, job.high / legs.x);
    for (std::uint64_t k = std::max(job.firstK, (job.low + legs.x - 1) / legs.x); k <= kEnd; ++k) {
      keepMultiple(pair, legs, k, part);
    }
  });
}

// The walks of the multiples k, first to last, in the magnitudes low to
// high, one for each order of the legs.
std::array<RowSieve::Walk, 2> RowSieve::bothOrders(std::uint64_t firstK, std::uint64_t lastK,
                                                   std::uint64_t low, std::uint64_t high) {
  return {Walk{firstK, lastK, low, high, false}, Walk{firstK, lastK, low, high, true}};
}

// Runs the walks on two threads, each keeping its multiples in a part of the
// window of its own: each thread takes the next walk not taken.
void RowSieve::runWalks(std::span<const Walk> walks) {
  if (walks.empty()) return;
  std::atomic<std::size_t> next = 0;
  const auto walkShare = [&](WindowPart& part) {
    for (std::size_t taken = next++; taken < walks.size(); taken = next++) walk(walks[taken], part);
  };
  std::exception_ptr helperFailure;
  {
    const std::jthread helper([&] {
      try {
        walkShare(window_[1]);
      } catch (...) {
        helperFailure = std::current_exception();
      }
    });
    walkShare(window_[0]);
  }
  if (helperFailure) std::rethrow_exception(helperFailure);
}

// The walks of the window for k >= 2, the costliest first: the bands, then
// the k one by one from the smallest. From kBandsFrom on, the k of a band
// [k, 2k) share a walk, as their annuli are too thin for a walk each.
std::vector<RowSieve::Walk> RowSieve::otherWalks() const {
  const std::uint64_t lastK = windowHigh_ / kMediumRows;
  const std::uint64_t bandsFrom = kBandsFrom(windowHigh_);
  std::vector<Walk> walks;
  const auto add = [&](std::uint64_t first, std::uint64_t last) {
    const auto orders = bothOrders(first, last, windowLow_, windowHigh_);
    walks.insert(walks.end(), orders.begin(), orders.end());
  };
  for (std::uint64_t first = bandsFrom; first <= lastK; first *= 2)
    add(first, std::min(lastK, 2 * first - 1));
  for (std::uint64_t k = 2; k < bandsFrom && k <= lastK; ++k) add(k, k);
  return walks;
}

// Finds the multiples of the long pairs whose rows fall in the next window,
// each in its block's bucket. Each k walks its own annulus of row legs,
// [low / k, high / k], while its columns hold pairs; from kBandsFrom on,
// whose annuli are too thin for that, the k of a band [k, 2k) share one walk
// of the union of their annuli, each pair taking the k of the band that put
// it in the rows. The walk of k = 1 sets where the window ends.
void RowSieve::fillWindow() {
  windowFirst_ += windowFilled_;
  for (WindowPart& part : window_) part.multiples = 0;
  // No window's magnitudes span more than a factor of two, so that neither
  // the density of multiples nor the cone of slopes grows much within it.
  const std::uint64_t start = magnitudeAt(windowFirst_ * kBlockRows);
  const std::uint64_t widest =
      std::max<std::uint64_t>(step_ > 0 ? start : start / 2, kMediumRows) / kBlockRows;
  const std::uint64_t most = std::min({widest, blocksLeft(), std::uint64_t{kMaxWindowBlocks}});
  setWindowBlocks(static_cast<std::uint32_t>(withShortTail(std::min<std::uint64_t>(windowBlocks_, most))));
  if (windowHigh_ >= kMediumRows) {
    runWalks(bothOrders(1, 1, windowLow_, windowHigh_));
    fitWindowToFirstWalk(most);
  }
  runWalks(otherWalks());
  // The next window starts with the rows that this one's density fills.
  const std::uint64_t fitting =
      kWindowMultiples * windowFilled_ / std::max<std::size_t>(windowMultiples(), 1);
  windowBlocks_ = static_cast<std::uint32_t>(std::clamp<std::uint64_t>(fitting, 1, kMaxWindowBlocks));
}

std::size_t RowSieve::windowMultiples() const { return window_[0].multiples + window_[1].multiples; }

std::uint64_t RowSieve::blocksLeft() const {
  return (positions_ + kBlockRows - 1) / kBlockRows - windowFirst_;
}

// A window that would leave a tail of less than a quarter of itself takes
// the tail too, as every window costs a walk of the cone however few rows it
// has.
std::uint64_t RowSieve::withShortTail(std::uint64_t blocks) const {
  return (blocksLeft() - blocks) * 4 < blocks ? blocksLeft() : blocks;
}

// After the walk of k = 1, a window too short for kWindowMultiples takes
// more rows, up to most blocks, and walks k = 1 over them: the multiples of
// k, in rows of about the same density, number about those of k = 1 over k,
// so all of them about harmonic(last k) times those.
void RowSieve::fitWindowToFirstWalk(std::uint64_t most) {
  double harmonic = 0;
  for (std::uint64_t k = windowHigh_ / kMediumRows; k >= 1; --k) harmonic += 1 / static_cast<double>(k);
  const double expected = std::max(static_cast<double>(windowMultiples()), 1.0) * harmonic;
  const auto fitting =
      static_cast<std::uint64_t>(static_cast<double>(windowFilled_) * kWindowMultiples / expected);
  const std::uint64_t blocks = withShortTail(std::min(fitting, most));
  if (blocks <= windowFilled_) return;
  const std::uint64_t low = windowLow_;
  const std::uint64_t high = windowHigh_;
  setWindowBlocks(static_cast<std::uint32_t>(blocks));
  runWalks(step_ > 0 ? bothOrders(1, 1, high + 1, windowHigh_) : bothOrders(1, 1, windowLow_, low - 1));
}

// The multiples of the short pairs in the positions first to end: those
// with j < 0 by descending slope, then those with j > 0 by ascending slope.
void RowSieve::findShortPairHits(std::uint64_t first, std::uint64_t end) {
  if (anyNegativeJ_) {
    std::for_each(shortPairs_.rbegin(), shortPairs_.rend(), [&](const ShortPair& pair) {
      std::int64_t k = pair.k;
      for (std::uint64_t position = pair.position; position < end; position += pair.x, k += step_) {
        if (contains(pair.negative, k)) {
          foundShort_.emplace_back(static_cast<std::uint32_t>(position - first), -k * std::int64_t{pair.y},
                                   static_cast<std::uint64_t>(k) * pair.h);
        }
      }
    });
  }
  std::size_t kept = 0;
  for (ShortPair pair : shortPairs_) {
    for (; pair.position < end; pair.position += pair.x, pair.k += step_) {
      if (contains(pair.positive, pair.k)) {
        foundShort_.emplace_back(static_cast<std::uint32_t>(pair.position - first),
                                 pair.k * std::int64_t{pair.y}, static_cast<std::uint64_t>(pair.k) * pair.h);
      }
    }
    if (step_ > 0 ? pair.k <= pair.lastK : pair.k >= pair.lastK) shortPairs_[kept++] = pair;
  }
  shortPairs_.resize(kept);
}

// Each medium pair with a multiple in the block, which then waits for the
// block of its next multiple.
void RowSieve::findMediumPairHits(std::uint64_t block) {
  while (!pending_.empty() && positionOf(pending_.back()) / kBlockRows < block + kRingBlocks) {
    ring_.add(positionOf(pending_.back()) / kBlockRows, pending_.back());
    pending_.pop_back();
    if (pending_.empty()) pending_.shrink_to_fit();
  }
  const std::uint64_t first = block * kBlockRows;
  ring_.drain(block, [&](Multiple multiple) {
    const Legs legs = legsOf(multiple);
    addFound(positionOf(multiple.k * legs.x) - first, legs, multiple.k);
    const std::int64_t k = std::int64_t{multiple.k} + step_;
    if (step_ > 0 ? k > multiple.lastK : k < multiple.lastK) return;
    multiple.k = static_cast<std::uint32_t>(k);
    ring_.add(positionOf(multiple.k * legs.x) / kBlockRows, multiple);
  });
}

void RowSieve::findLongPairHits(std::uint64_t block) {
  const std::uint64_t first = block * kBlockRows;
  for (WindowPart& part : window_) {
    part.bucket.drain(block, [&](const LongMultiple& packed) {
      const Multiple multiple = packed.unpacked();
      const Legs legs = legsOf(multiple);
      addFound(positionOf(multiple.k * legs.x) - first, legs, multiple.k);
    });
  }
}

// The hits of the multiple k of a pair in a row of the block, with j < 0, j > 0 or both.
void RowSieve::addFound(std::uint64_t row, const Legs& legs, std::uint64_t k) {
  const std::int64_t i = sign_ * static_cast<std::int64_t>(k * legs.x);
  const auto j = static_cast<std::int64_t>(k * legs.y);
  const std::uint64_t c = k * legs.h;
  const auto r = static_cast<std::uint32_t>(row);
  if (anyNegativeJ_ && -j >= i + lower_ && -j <= upper_) foundOther_.emplace_back(r, -j, c);
  if (j >= i + lower_ && j <= upper_) foundOther_.emplace_back(r, j, c);
}

// j = 0, with c = |i|, in each row of the block that the loops' j reach it
// in: i + lower <= 0 <= upper.
void RowSieve::addZeroColumn(std::uint64_t first, std::uint32_t rows) {
  if (upper_ < 0) return;
  for (std::uint32_t row = 0; row < rows && rowAt(first + row) + lower_ <= 0; ++row) {
    foundOther_.emplace_back(row, 0, magnitudeAt(first + row));
  }
}

namespace {

// Sorts hits stably by a digit, with a counting sort: the hits of digit d
// end up in sorted[ends[d - 1] .. ends[d]).
template <typename DigitOf>
void sortByDigit(const std::vector<Found>& hits, std::span<std::uint32_t> ends, std::vector<Found>& sorted,
                 DigitOf digitOf) {
  std::fill(ends.begin(), ends.end(), 0);
  for (const Found& hit : hits) ++ends[digitOf(hit)];
  std::exclusive_scan(ends.begin(), ends.end(), ends.begin(), 0U);
  // As much room as hits has: a vector resized from empty takes just the
  // size asked for, and each larger block would move it to fresh pages.
  sorted.reserve(hits.capacity());
  sorted.resize(hits.size());
  for (const Found& hit : hits) sorted[ends[digitOf(hit)]++] = hit;
}

// Sorts hits stably by row, or by groups of 2^shift rows.
void sortByRow(const std::vector<Found>& hits, std::span<std::uint32_t> ends, std::vector<Found>& sorted,
               unsigned shift) {
  sortByDigit(hits, ends, sorted, [shift](const Found& hit) { return hit.row() >> shift; });
}

// Sorts hits stably by the high kJDigitBits bits of j over the range
// of j of the hits, so that a sort by row then leaves out of order only hits
// of one row whose j are close.
constexpr unsigned kJDigitBits = 11;
void sortByHighJ(const std::vector<Found>& hits, std::span<std::uint32_t> ends, std::vector<Found>& sorted) {
  constexpr std::uint64_t kJBits = (std::uint64_t{1} << Found::kRowShift) - 1;
  std::uint64_t low = kJBits;
  std::uint64_t high = 0;
  for (const Found& hit : hits) {
    low = std::min(low, hit.key & kJBits);
    high = std::max(high, hit.key & kJBits);
  }
  const auto width = static_cast<unsigned>(std::bit_width(high - std::min(low, high)));
  const unsigned shift = width > kJDigitBits ? width - kJDigitBits : 0;
  sortByDigit(hits, ends.first(std::size_t{1} << kJDigitBits), sorted, [low, shift](const Found& hit) {
    return static_cast<std::uint32_t>(((hit.key & kJBits) - low) >> shift);
  });
}

// Sorts by key a run sorted by groups of keys, by insertion: a key moves
// only within its group.
void sortWithinGroups(std::span<Found> hits) {
  for (std::size_t n = 1; n < hits.size(); ++n) {
    const Found moving = hits[n];
    std::size_t at = n;
    for (; at > 0 && moving.key < hits[at - 1].key; --at) hits[at] = hits[at - 1];
    hits[at] = moving;
  }
}

}  // namespace

// Orders the block's hits by row, then by j, in two runs: the short pairs'
// hits of a row are in order already, the others are sorted by the high bits
// of j, then by row, then by insertion. A block of far fewer hits than rows
// is sorted whole without a look at each row: by groups of rows, about one
// hit a group, then by insertion.
void RowSieve::sortBlock(std::uint32_t rows, RowBlock& block) {
  const std::size_t hits = foundShort_.size() + foundOther_.size();
  if (hits * kSparseRowsPerHit < rows) {
    foundShort_.insert(foundShort_.end(), foundOther_.begin(), foundOther_.end());
    // About as many groups as hits: counting into far more groups than
    // hits would cost more than the hits themselves.
    const auto rowsPerHit = std::max<std::size_t>(rows / std::max<std::size_t>(hits, 1), 2);
    const auto shift = static_cast<unsigned>(std::bit_width(rowsPerHit) - 1);
    const auto groupEnds = std::span(shortEnds_).first(((rows - 1) >> shift) + 1);
    sortByRow(foundShort_, groupEnds, block.first, shift);
    sortWithinGroups(std::span(block.first));
    return;
  }
  sortByRow(foundShort_, std::span(shortEnds_).first(rows), block.first, 0);
  sortByHighJ(foundOther_, otherEnds_, byHighJ_);
  sortByRow(byHighJ_, std::span(otherEnds_).first(rows), block.second, 0);
  sortWithinGroups(std::span(block.second));
}

void RowSieve::nextBlock(RowBlock& block) {
  const std::uint64_t blockIndex = nextPosition_ / kBlockRows;
  if (blockIndex >= windowFirst_ + windowFilled_) fillWindow();
  const std::uint64_t first = nextPosition_;
  const auto rows = static_cast<std::uint32_t>(std::min<std::uint64_t>(kBlockRows, positions_ - first));
  foundShort_.clear();
  foundOther_.clear();
  findShortPairHits(first, first + rows);
  findMediumPairHits(blockIndex);
  findLongPairHits(blockIndex);
  addZeroColumn(first, rows);
  block.clear();
  block.firstRow = rowAt(first);
  sortBlock(rows, block);
  nextPosition_ += rows;
}

}  // namespace search
