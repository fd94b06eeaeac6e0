#include "search/lattice_count.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "search/triple_arithmetic.h"

namespace search {
namespace {

// Past any leg the constraints allow.
constexpr std::int64_t kUnbounded = std::int64_t{1} << 40;

// The values each leg may take, from 1 on.
struct LegBox {
  std::int64_t oddLow = 1;
  std::int64_t oddHigh = kUnbounded;
  std::int64_t evenLow = 1;
  std::int64_t evenHigh = kUnbounded;
};

// The smallest coefficient · leg for the leg in [low, high].
std::int64_t smallest(int coefficient, std::int64_t low, std::int64_t high) {
  return coefficient > 0 ? low : coefficient < 0 ? -high : 0;
}

// Narrows [low, high] to the legs with coefficient · leg <= bound.
void keepAtMost(int coefficient, std::int64_t bound, std::int64_t& low, std::int64_t& high) {
  if (coefficient > 0) high = std::min(high, bound);
  if (coefficient < 0) low = std::max(low, -bound);
}

// The box of legs the constraints allow, in two rounds so that a constraint
// on both legs sees the bounds that the others set on each.
LegBox boxOf(std::span<const LegConstraint> constraints) {
  LegBox box;
  for (int round = 0; round < 2; ++round) {
    for (const LegConstraint& c : constraints) {
      keepAtMost(c.odd, c.bound - smallest(c.even, box.evenLow, box.evenHigh), box.oddLow, box.oddHigh);
      keepAtMost(c.even, c.bound - smallest(c.odd, box.oddLow, box.oddHigh), box.evenLow, box.evenHigh);
    }
  }
  return box;
}

// Whether every pair of legs from 1 on meets the constraint.
bool alwaysHolds(const LegConstraint& c) { return c.odd <= 0 && c.even <= 0 && c.odd + c.even <= c.bound; }

std::int64_t ceilSqrt(std::int64_t value) {
  const auto root = static_cast<std::int64_t>(integerSqrt(static_cast<std::uint64_t>(value)));
  return root * root < value ? root + 1 : root;
}

// The m of one n that meet the constraints so far.
struct Interval {
  std::int64_t first;
  std::int64_t last;
};

// Narrows m to those meeting the constraint for this n. Without an odd
// term the constraint is linear in m. Otherwise, with s = odd · even,
// odd · (m² - n²) + even · 2mn = odd · ((m + s·n)² - (1 + s²)·n²), where
// m + s·n > 0 on m > n: a bound on that square bounds m on one side.
void narrow(Interval& m, const LegConstraint& c, std::int64_t n) {
  if (c.odd == 0) {
    if (c.even > 0) m.last = std::min(m.last, floorDiv(c.bound, 2 * n));
    if (c.even < 0) m.first = std::max(m.first, ceilDiv(-c.bound, 2 * n));
    return;
  }
  const std::int64_t shift = c.odd * (c.even * n);
  const std::int64_t square = n * n * (1 + c.even * c.even);
  if (c.odd > 0) {
    const std::int64_t most = c.bound + square;
    if (most < 0) {
      m.last = m.first - 1;
    } else {
      m.last =
          std::min(m.last, static_cast<std::int64_t>(integerSqrt(static_cast<std::uint64_t>(most))) - shift);
    }
  } else {
    const std::int64_t least = square - c.bound;
    if (least > 0) m.first = std::max(m.first, ceilSqrt(least) - shift);
  }
}

// The m in [first, last] with the parity of parity.
std::int64_t countOfParity(Interval m, std::int64_t parity) {
  if ((m.first & 1) != parity) ++m.first;
  if ((m.last & 1) != parity) --m.last;
  return m.last < m.first ? 0 : (m.last - m.first) / 2 + 1;
}

}  // namespace

std::int64_t countLegPairs(std::span<const LegConstraint> constraints) {
  const LegBox box = boxOf(constraints);
  if (box.oddLow > box.oddHigh || box.evenLow > box.evenHigh) return 0;
  std::vector<LegConstraint> binding;
  std::ranges::copy_if(constraints, std::back_inserter(binding),
                       [](const LegConstraint& c) { return !alwaysHolds(c); });
  // The smallest legs of an n, at m = n + 1, are 2n + 1 and 2n(n + 1).
  const std::int64_t lastN = std::min(
      (box.oddHigh - 1) / 2,
      (static_cast<std::int64_t>(integerSqrt(2 * static_cast<std::uint64_t>(box.evenHigh) + 1)) - 1) / 2);
  std::int64_t count = 0;
  for (std::int64_t n = 1; n <= lastN; ++n) {
    Interval m{n + 1, box.evenHigh / (2 * n)};
    for (const LegConstraint& c : binding) narrow(m, c, n);
    count += countOfParity(m, (n + 1) & 1);
  }
  return count;
}

}  // namespace search
