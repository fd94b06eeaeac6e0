#include "search/leg_finder.h"

#include <algorithm>
#include <cmath>

#include "search/short_sort.h"

namespace search {
namespace {

// m² has at most 59535 divisors for m <= 2^31, so at most 29767 below m.
constexpr std::size_t kMaxDivisors = 59535;
constexpr std::size_t kMaxLegs = kMaxDivisors / 2;

// The divisor d of m² that gives the leg k: d = √(k² + m²) - k, computed
// without cancellation. Close enough to bound the search; every leg it
// yields is exact.
double divisorForLeg(std::uint64_t m, std::uint64_t k) {
  const auto mm = static_cast<double>(m);
  const auto kk = static_cast<double>(k);
  return mm * mm / (std::sqrt(kk * kk + mm * mm) + kk);
}

}  // namespace

LegFinder::LegFinder()
    : parts_(std::make_unique_for_overwrite<std::uint64_t[]>(kMaxDivisors)),
      nextParts_(std::make_unique_for_overwrite<std::uint64_t[]>(kMaxDivisors)) {
  legs_.reserve(kMaxLegs);
}

std::span<const Leg> LegFinder::find(std::uint64_t m, std::span<const PrimePower> factors,
                                     std::uint64_t shortest, std::uint64_t longest) {
  legs_.clear();
  if (factors.empty()) return legs_;  // m = 1: 1 = 1 · 1 gives no leg

  square_ = m * m;
  // Longer legs come from smaller divisors; widen by one against rounding.
  maxDivisor_ = std::min(m - 1, static_cast<std::uint64_t>(divisorForLeg(m, shortest)) + 1);
  const double smallest = divisorForLeg(m, longest);
  minDivisor_ = smallest > 1.0 ? static_cast<std::uint64_t>(smallest) - 1 : 1;

  // Builds the products of the powers of the primes of m², largest primes
  // first, keeping those within maxDivisor that the smaller primes can still
  // raise to minDivisor. Products stay below 2^64: a part is at most
  // maxDivisor < 2^32 before it is multiplied by a prime below 2^31.
  std::size_t count = 1;
  parts_[0] = 1;
  for (std::size_t level = factors.size() - 1; level > 0; --level) {
    const std::uint32_t prime = factors[level].prime;
    const std::uint32_t twice = 2 * factors[level].exponent;
    std::uint64_t smallerPrimes = 1;  // the square of the part of m below this prime
    for (std::size_t below = 0; below < level; ++below) smallerPrimes *= factors[below].power;
    smallerPrimes *= smallerPrimes;
    const bool mayFallShort = smallerPrimes < minDivisor_;

    std::size_t kept = 0;
    for (std::size_t n = 0; n < count; ++n) {
      std::uint64_t divisor = parts_[n];
      for (std::uint32_t x = 0; x <= twice && divisor <= maxDivisor_; ++x, divisor *= prime) {
        if (!mayFallShort || divisor * smallerPrimes >= minDivisor_) nextParts_[kept++] = divisor;
      }
    }
    parts_.swap(nextParts_);
    count = kept;
  }
  addLegs({parts_.get(), count}, factors[0]);
  sortShortRun(std::span(legs_), [](const Leg& a, const Leg& b) { return a.leg < b.leg; });
  return legs_;
}

// Completes each part with the powers of the smallest prime. With m even, d
// and e = m² / d are both even only when each takes at least one 2.
void LegFinder::addLegs(std::span<const std::uint64_t> parts, const PrimePower& smallest) {
  const std::uint32_t prime = smallest.prime;
  const std::uint32_t fewest = prime == 2 ? 1 : 0;
  const std::uint32_t most = prime == 2 ? 2 * smallest.exponent - 1 : 2 * smallest.exponent;
  for (const std::uint64_t part : parts) {
    std::uint64_t divisor = fewest == 0 ? part : part * prime;
    for (std::uint32_t x = fewest; x <= most && divisor <= maxDivisor_; ++x, divisor *= prime) {
      if (divisor < minDivisor_) continue;
      const std::uint64_t cofactor = square_ / divisor;
      legs_.push_back({(cofactor - divisor) / 2, (cofactor + divisor) / 2});
    }
  }
}

}  // namespace search
