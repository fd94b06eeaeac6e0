#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "search/odd_primes.h"
#include "search/triple_arithmetic.h"

namespace search {

// The primitive pairs (x, y), x along the rows, whose row leg x lies in
// [xFirst, xLast] and whose slope y / x lies in [slopeLow, slopeHigh]: they
// are the lattice points (m, n) of a sector of the plane cut by two curves,
// walked column by column of n, each column's m found by arithmetic. Slopes
// only prune, widened against rounding; legs are exact.
struct Cone {
  std::uint64_t xFirst;
  std::uint64_t xLast;
  double slopeLow;
  double slopeHigh;
};

namespace cone_detail {

// m = u · n for the ratio u of a pair of the even row leg 2mn and the odd
// column leg m² - n², whose slope (u² - 1) / 2u grows with u.
inline double evenRowRatio(double slope) { return slope + std::sqrt(slope * slope + 1); }
// The same for the odd row leg m² - n², slope 2u / (u² - 1), falling as u grows.
inline double oddRowRatio(double slope) { return (1 + std::sqrt(1 + slope * slope)) / slope; }

constexpr double kWiden = 1e-9;

inline std::uint64_t ceilSqrt(std::uint64_t value) {
  const std::uint64_t root = integerSqrt(value);
  return root * root == value ? root : root + 1;
}

// value / divisor rounded down and up, for values below 2^52, from the
// divisor's reciprocal: the product is off by far less than 1, and one
// multiplication each way sets it right, where a 64-bit division would cost
// tens of cycles in every column.
inline std::uint64_t floorQuotient(std::uint64_t value, std::uint64_t divisor, double reciprocal) {
  auto quotient = static_cast<std::uint64_t>(static_cast<double>(value) * reciprocal);
  if (quotient * divisor > value) --quotient;
  if ((quotient + 1) * divisor <= value) ++quotient;
  return quotient;
}
inline std::uint64_t ceilQuotient(std::uint64_t value, std::uint64_t divisor, double reciprocal) {
  const std::uint64_t quotient = floorQuotient(value, divisor, reciprocal);
  return quotient * divisor == value ? quotient : quotient + 1;
}

// Visits m of n's opposite parity in [mFirst, mLast] coprime with n.
template <typename Visit>
void visitColumn(const OddPrimes& primes, std::uint64_t n, std::uint64_t mFirst, std::uint64_t mLast,
                 Visit& visit) {
  if (((mFirst ^ n) & 1U) == 0) ++mFirst;
  if (mFirst > mLast) return;
  const auto n32 = static_cast<std::uint32_t>(n);
  const OddPrimes::Column column = primes.column(n32);
  for (std::uint64_t m = mFirst; m <= mLast; m += 2) {
    if (column.coprime(static_cast<std::uint32_t>(m))) visit(m, n);
  }
}

}  // namespace cone_detail

// Calls visit(m, n) for each coprime m > n >= 1 of opposite parity whose
// pair with the row leg 2mn lies in the cone.
template <typename Visit>
void walkEvenRowLegs(const Cone& cone, const OddPrimes& primes, Visit visit) {
  using namespace cone_detail;
  if (cone.slopeHigh <= 0 || cone.xFirst > cone.xLast) return;
  const double uLow = std::max(1.0, evenRowRatio(std::max(0.0, cone.slopeLow)) * (1 - kWiden));
  const double uHigh = evenRowRatio(cone.slopeHigh) * (1 + kWiden);
  // 2n² · u = x: n from the longest ratio at xFirst to the shortest at xLast.
  const auto nFirst = std::max<std::uint64_t>(
      1, static_cast<std::uint64_t>(std::sqrt(static_cast<double>(cone.xFirst) / (2 * uHigh))));
  const auto nLast = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(cone.xLast) / (2 * uLow))) + 1;
  for (std::uint64_t n = nFirst; n <= nLast; ++n) {
    const std::uint64_t twoN = 2 * n;
    const double reciprocal = 1 / static_cast<double>(twoN);
    const std::uint64_t mFirst = std::max({n + 1, static_cast<std::uint64_t>(uLow * static_cast<double>(n)),
                                           ceilQuotient(cone.xFirst, twoN, reciprocal)});
    const std::uint64_t mLast = std::min(static_cast<std::uint64_t>(uHigh * static_cast<double>(n)) + 1,
                                         floorQuotient(cone.xLast, twoN, reciprocal));
    visitColumn(primes, n, mFirst, mLast, visit);
  }
}

// The same for the row leg m² - n².
template <typename Visit>
void walkOddRowLegs(const Cone& cone, const OddPrimes& primes, Visit visit) {
  using namespace cone_detail;
  if (cone.slopeHigh <= 0 || cone.xFirst > cone.xLast) return;
  const double uLow = std::max(1.0, oddRowRatio(cone.slopeHigh) * (1 - kWiden));
  const double uHigh = cone.slopeLow > 0 ? oddRowRatio(cone.slopeLow) * (1 + kWiden) : HUGE_VAL;
  // n²(u² - 1) = x, and x = (m - n)(m + n) >= 2n + 1.
  const double nFirstReal = std::sqrt(static_cast<double>(cone.xFirst) / (uHigh * uHigh - 1));
  const double nLastReal =
      uLow > 1 ? std::sqrt(static_cast<double>(cone.xLast) / (uLow * uLow - 1)) : HUGE_VAL;
  const auto nFirst = std::max<std::uint64_t>(1, static_cast<std::uint64_t>(nFirstReal));
  const std::uint64_t nLast =
      std::min(static_cast<std::uint64_t>(std::min(nLastReal, 1e18)) + 1, (cone.xLast - 1) / 2);
  // The roots of xFirst + n² and xLast + n² grow by less than 1 a step of
  // n: they are carried from one column to the next.
  std::uint64_t firstRoot = ceilSqrt(cone.xFirst + nFirst * nFirst);
  std::uint64_t lastRoot = integerSqrt(cone.xLast + nFirst * nFirst);
  for (std::uint64_t n = nFirst; n <= nLast; ++n) {
    const std::uint64_t squareN = n * n;
    while (firstRoot * firstRoot < cone.xFirst + squareN) ++firstRoot;
    while ((lastRoot + 1) * (lastRoot + 1) <= cone.xLast + squareN) ++lastRoot;
    const double ratioFirst = uLow * static_cast<double>(n);
    const double ratioLast = uHigh * static_cast<double>(n);
    const std::uint64_t mFirst = std::max({n + 1, static_cast<std::uint64_t>(ratioFirst), firstRoot});
    std::uint64_t mLast = lastRoot;
    if (ratioLast < static_cast<double>(mLast)) mLast = static_cast<std::uint64_t>(ratioLast) + 1;
    visitColumn(primes, n, mFirst, mLast, visit);
  }
}

}  // namespace search
