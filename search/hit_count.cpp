#include "search/hit_count.h"

#include <algorithm>
#include <array>
#include <limits>

#include "search/lattice_count.h"
#include "search/odd_mobius.h"
#include "search/triple_arithmetic.h"

namespace search {
namespace {

// A constraint alongI · i + alongJ · j <= bound on the hits (i, j).
struct HitConstraint {
  int alongI;
  int alongJ;
  std::int64_t bound;
};
using Loops = std::array<HitConstraint, 4>;

// lower <= i <= upper and i + lower <= j <= upper.
Loops loopsOf(std::int64_t lower, std::int64_t upper) {
  return {{{-1, 0, -lower}, {1, 0, upper}, {0, 1, upper}, {1, -1, -lower}}};
}

bool inLoops(const Loops& loops, std::int64_t i, std::int64_t j) {
  return std::ranges::all_of(loops,
                             [=](const HitConstraint& c) { return c.alongI * i + c.alongJ * j <= c.bound; });
}

// The row i = 0 holds every j from lower to upper, and the column j = 0 the
// i with lower <= i <= upper and i + lower <= 0 <= upper. Of those, only the
// four hits next to (0, 0) are primitive.
std::int64_t countOnAxes(std::int64_t lower, std::int64_t upper, Hits hits) {
  const Loops loops = loopsOf(lower, upper);
  if (hits == Hits::Primitive) {
    return std::ranges::count_if(std::array<std::array<int, 2>, 4>{{{0, -1}, {0, 1}, {-1, 0}, {1, 0}}},
                                 [&loops](auto ij) { return inLoops(loops, ij[0], ij[1]); });
  }
  if (lower > 0 || upper < 0) return 0;
  const std::int64_t row = upper - lower + 1;
  const std::int64_t column = std::min(upper, -lower) - lower;  // every i of [lower, -lower] but 0
  return row + column;
}

// The number of pairs (m, n), coprime or not, whose hits (±q·x, ±q·y) fall in
// the loops, for the legs (x, y) in either order and each pair of signs.
std::int64_t countScaledPairs(const Loops& loops, std::int64_t q) {
  std::int64_t count = 0;
  for (const int signI : {1, -1}) {
    for (const int signJ : {1, -1}) {
      for (const bool oddAlongI : {true, false}) {
        std::array<LegConstraint, 4> legs{};
        std::ranges::transform(loops, legs.begin(), [&](const HitConstraint& c) {
          const int onX = c.alongI * signI;
          const int onY = c.alongJ * signJ;
          // q · (onX · x + onY · y) <= bound, with whole x and y.
          const std::int64_t bound = floorDiv(c.bound, q);
          return oddAlongI ? LegConstraint{onX, onY, bound} : LegConstraint{onY, onX, bound};
        });
        count += countLegPairs(legs);
      }
    }
  }
  return count;
}

// The last q' >= q with bound / q' rounded down the same as bound / q.
std::int64_t lastOfSameQuotient(std::int64_t bound, std::int64_t q) {
  // Below zero, floor(bound / q) = -1 - floor((-bound - 1) / q).
  const std::int64_t magnitudeBelow = bound >= 0 ? bound : -bound - 1;
  const std::int64_t quotient = magnitudeBelow / q;
  return quotient == 0 ? std::numeric_limits<std::int64_t>::max() : magnitudeBelow / quotient;
}

// Every hit off the axes is k · (x, y) for the legs (x, y) of one coprime
// pair (m, n). The pairs (m, n) scaled by q, coprime or not, count that hit
// once for each odd g with q · g² = k, as g · (m, n); Möbius inversion undoes
// it by weighing q with h(q) = Σ over odd d with d² | q of μ(d), which is 1
// when the odd part of q is squarefree, else 0. The q that share both
// quotients of the bounds share the count of pairs, so a stretch of them
// weighs the sum of their h. Past lastQ no multiple of a leg fits in the loops.
std::int64_t countMultiples(const Loops& loops, std::int64_t lastQ, const OddMobius& mobius) {
  std::int64_t count = 0;
  std::int64_t weightBefore = 0;
  for (std::int64_t q = 1; q <= lastQ;) {
    std::int64_t last = lastQ;
    for (const HitConstraint& c : loops) last = std::min(last, lastOfSameQuotient(c.bound, q));
    const std::int64_t weightThrough = mobius.oddSquarefreeUpTo(last);
    if (weightThrough != weightBefore) count += (weightThrough - weightBefore) * countScaledPairs(loops, q);
    weightBefore = weightThrough;
    q = last + 1;
  }
  return count;
}

// The coprime pairs: Σ over odd d of μ(d) times the pairs scaled by d².
std::int64_t countPrimitive(const Loops& loops, std::int64_t lastQ, const OddMobius& mobius) {
  std::int64_t count = 0;
  for (const OddMobius::Term& term : mobius.terms()) {
    if (term.square > lastQ) break;
    count += term.mobius * countScaledPairs(loops, term.square);
  }
  return count;
}

}  // namespace

std::int64_t countHits(std::int32_t lower, std::int32_t upper, Hits hits) {
  const Loops loops = loopsOf(lower, upper);
  const auto lastQ = static_cast<std::int64_t>(std::max(magnitude(lower), magnitude(upper)));
  const OddMobius mobius(static_cast<std::int64_t>(integerSqrt(static_cast<std::uint64_t>(lastQ))));
  const std::int64_t offAxes =
      hits == Hits::All ? countMultiples(loops, lastQ, mobius) : countPrimitive(loops, lastQ, mobius);
  return countOnAxes(lower, upper, hits) + offAxes;
}

}  // namespace search
