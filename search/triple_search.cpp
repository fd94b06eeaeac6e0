#include "search/triple_search.h"

#include <algorithm>
#include <cmath>

namespace search {
namespace {

// Hits handed out per slice, and outer indices started per slice at most.
constexpr std::size_t kSliceHits = 4096;
constexpr int kRowsPerSlice = 2048;
// i² has at most 59535 divisors for |i| <= 2^31, so at most 29767 below |i|.
constexpr std::size_t kMaxLegs = 29767;

std::uint64_t magnitude(std::int64_t value) {
  return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                   : static_cast<std::uint64_t>(value);
}

// The divisor d of m² that gives the leg k: d = √(k² + m²) - k, computed
// without cancellation. Close enough to bound a search; hits are checked exactly.
double divisorForLeg(std::uint64_t m, std::uint64_t k) {
  const auto mm = static_cast<double>(m);
  const auto kk = static_cast<double>(k);
  return mm * mm / (std::sqrt(kk * kk + mm * mm) + kk);
}

}  // namespace

TripleSearch::TripleSearch(std::int32_t lower, std::int32_t upper)
    : lower_(lower),
      upper_(upper),
      nextI_(lower),
      // With a positive lower bound, j starts above i + lower, past the upper
      // bound once i > upper - lower; with lower <= 0 every row has j = i.
      lastI_(lower > 0 ? std::min<std::int64_t>(upper, std::int64_t{upper} - lower) : upper) {
  legs_.reserve(kMaxLegs);
  slice_.reserve(kSliceHits);
}

bool TripleSearch::finished() const { return nextI_ > lastI_ && phase_ == Phase::Idle; }

double TripleSearch::progress() const {
  if (lastI_ < lower_) return 1.0;
  return static_cast<double>(nextI_ - lower_) / static_cast<double>(lastI_ - lower_ + 1);
}

std::span<const Hit> TripleSearch::next() {
  slice_.clear();
  int rowsLeft = kRowsPerSlice;
  while (slice_.size() < kSliceHits) {
    if (phase_ != Phase::Idle) {
      writePending();
    } else if (nextI_ <= lastI_ && rowsLeft > 0) {
      --rowsLeft;
      startRow(nextI_++);
    } else {
      break;
    }
  }
  return slice_;
}

void TripleSearch::write(std::int64_t j, std::uint64_t root) {
  slice_.push_back({i_, j, static_cast<std::int64_t>(root)});
}

void TripleSearch::startRow(std::int64_t i) {
  i_ = i;
  firstJ_ = i + lower_;
  if (i == 0) {
    // 0² + j² = |j|²: every j of the row is a hit.
    zeroRowJ_ = firstJ_;
    phase_ = Phase::ZeroRow;
    return;
  }
  // Legs k > 0 fall in the row as j = k when firstJ <= k <= upper, and as
  // j = -k when firstJ <= -k <= upper.
  const std::int64_t last = upper_;
  const std::int64_t positiveFrom = std::max<std::int64_t>(1, firstJ_);
  const std::int64_t negativeFrom = std::max<std::int64_t>(1, -last);
  std::uint64_t shortest = UINT64_MAX;
  std::uint64_t longest = 0;
  if (positiveFrom <= last) {
    shortest = static_cast<std::uint64_t>(positiveFrom);
    longest = static_cast<std::uint64_t>(last);
  }
  if (negativeFrom <= -firstJ_) {
    shortest = std::min(shortest, static_cast<std::uint64_t>(negativeFrom));
    longest = std::max(longest, static_cast<std::uint64_t>(-firstJ_));
  }
  legs_.clear();
  if (longest > 0) collectLegs(magnitude(i), shortest, longest);
  legAt_ = legs_.size();
  phase_ = Phase::NegativeLegs;
}

void TripleSearch::collectLegs(std::uint64_t m, std::uint64_t shortestLeg, std::uint64_t longestLeg) {
  if (m == 1) return;  // 1 = 1 · 1 gives no leg
  factorBlockHolding(m, i_ < 0);
  const std::span<const PrimePower> factors = block_.factors(m);

  // Longer legs come from smaller divisors; widen by one against rounding.
  maxDivisor_ = static_cast<std::uint64_t>(divisorForLeg(m, shortestLeg)) + 1;
  const double smallest = divisorForLeg(m, longestLeg);
  minDivisor_ = smallest > 1.0 ? static_cast<std::uint64_t>(smallest) - 1 : 1;

  rest_[factors.size()] = 1;
  for (std::size_t at = factors.size(); at-- > 0;) {
    std::uint64_t power = 1;
    for (std::uint32_t n = 0; n < 2 * factors[at].exponent; ++n) power *= factors[at].prime;
    rest_[at] = rest_[at + 1] * power;
  }
  addDivisors(factors, 0, 1, 1);
  std::sort(legs_.begin(), legs_.end(), [](const Leg& a, const Leg& b) { return a.leg < b.leg; });
}

// Chooses the power of each prime of m² in turn for the divisor d, the rest
// going to its cofactor e, and keeps the pairs d < e of the same parity whose
// d lies within the bounds of the row.
void TripleSearch::addDivisors(std::span<const PrimePower> factors, std::size_t next, std::uint64_t d,
                               std::uint64_t e) {
  if (next == factors.size()) {
    if (d < e && d >= minDivisor_) legs_.push_back({(e - d) / 2, (e + d) / 2});
    return;
  }
  const std::uint32_t prime = factors[next].prime;
  const std::uint32_t twice = 2 * factors[next].exponent;
  // With m even, d and e are both even only when each takes at least one 2.
  const std::uint32_t fewest = prime == 2 ? 1 : 0;
  const std::uint32_t most = prime == 2 ? twice - 1 : twice;

  std::uint64_t dPower = 1;
  for (std::uint32_t n = 0; n < fewest; ++n) dPower *= prime;
  std::uint64_t ePower = 1;
  for (std::uint32_t n = fewest; n < twice; ++n) ePower *= prime;

  for (std::uint32_t taken = fewest; taken <= most; ++taken) {
    const std::uint64_t divisor = d * dPower;
    if (divisor > maxDivisor_) break;
    if (divisor * rest_[next + 1] >= minDivisor_) addDivisors(factors, next + 1, divisor, e * ePower);
    dPower *= prime;
    ePower /= prime;
  }
}

void TripleSearch::factorBlockHolding(std::uint64_t m, bool descending) {
  if (block_.holds(m)) return;
  // Rows run towards |i| = 1 for negative i and away from it for positive i.
  const std::uint64_t capacity = FactorBlock::kCapacity;
  const std::uint64_t first = descending ? (m > capacity ? m - capacity + 1 : 1) : m;
  const std::uint64_t last = descending ? m : std::min(m + capacity - 1, magnitude(lastI_));
  block_.factorize(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last - first + 1));
}

void TripleSearch::writePending() {
  const std::int64_t last = upper_;
  while (slice_.size() < kSliceHits) {
    switch (phase_) {
      case Phase::Idle:
        return;
      case Phase::ZeroRow:
        write(zeroRowJ_, magnitude(zeroRowJ_));
        if (zeroRowJ_++ == last) phase_ = Phase::Idle;
        break;
      case Phase::NegativeLegs:
        if (legAt_ == 0 || firstJ_ >= 0) {
          phase_ = Phase::ZeroLeg;
          break;
        }
        {
          const Leg& leg = legs_[--legAt_];
          const std::int64_t j = -static_cast<std::int64_t>(leg.leg);
          if (j >= firstJ_ && j <= last) write(j, leg.root);
        }
        break;
      case Phase::ZeroLeg:
        if (firstJ_ <= 0 && last >= 0) write(0, magnitude(i_));
        legAt_ = 0;
        phase_ = Phase::PositiveLegs;
        break;
      case Phase::PositiveLegs:
        if (legAt_ == legs_.size()) {
          phase_ = Phase::Idle;
          break;
        }
        {
          const Leg& leg = legs_[legAt_++];
          const auto j = static_cast<std::int64_t>(leg.leg);
          if (j >= firstJ_ && j <= last) write(j, leg.root);
        }
        break;
    }
  }
}

}  // namespace search
