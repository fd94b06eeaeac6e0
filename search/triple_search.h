#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "search/factor_block.h"

namespace search {

// One pair (i, j) with i² + j² = c². j reaches -2^32 and c passes 2^32 at the
// extremes of the 32-bit bounds, hence 64 bits throughout.
struct Hit {
  std::int64_t i;
  std::int64_t j;
  std::int64_t c;
  friend bool operator==(const Hit&, const Hit&) = default;
};

// Lists, for the bounds lower and upper, every pair with lower <= i <= upper
// and i + lower <= j <= upper whose i² + j² is a perfect square, by ascending
// i and then ascending j: exactly the pairs and the order of a double loop
// that tests each pair. It does not test each pair: i² = (c - |j|)(c + |j|),
// so every divisor d < |i| of i² whose cofactor e has its parity gives the
// leg |j| = (e - d) / 2 and c = (e + d) / 2. j = 0 is a hit for every i, and
// every j is a hit for i = 0.
class TripleSearch {
 public:
  TripleSearch(std::int32_t lower, std::int32_t upper);

  // The next hits. Each call does a bounded amount of work, so a slice may be
  // empty before the end: call again until finished(). The span stays valid
  // until the next call.
  std::span<const Hit> next();
  [[nodiscard]] bool finished() const;
  // How far the outer index has got, from 0 to 1.
  [[nodiscard]] double progress() const;

 private:
  // A divisor pair of i², as the leg |j| and the root c it gives.
  struct Leg {
    std::uint64_t leg;
    std::uint64_t root;
  };
  // Where the hits of the current outer index are being written out: the
  // negative j's (legs by descending size), then j = 0, then the positive j's.
  enum class Phase : std::uint8_t { Idle, ZeroRow, NegativeLegs, ZeroLeg, PositiveLegs };

  void startRow(std::int64_t i);
  void collectLegs(std::uint64_t m, std::uint64_t shortestLeg, std::uint64_t longestLeg);
  void addDivisors(std::span<const PrimePower> factors, std::size_t next, std::uint64_t d,
                   std::uint64_t e);
  void factorBlockHolding(std::uint64_t m, bool descending);
  void writePending();
  void write(std::int64_t j, std::uint64_t root);

  std::int64_t lower_;
  std::int64_t upper_;
  std::int64_t nextI_;
  std::int64_t lastI_;  // the last outer index whose inner range is not empty

  // The current outer index and its inner range.
  std::int64_t i_ = 0;
  std::int64_t firstJ_ = 0;
  Phase phase_ = Phase::Idle;
  std::size_t legAt_ = 0;
  std::int64_t zeroRowJ_ = 0;

  // Bounds on the divisor d while collecting legs, and the largest divisor
  // the primes after each depth can still contribute.
  std::uint64_t minDivisor_ = 0;
  std::uint64_t maxDivisor_ = 0;
  std::array<std::uint64_t, 10> rest_{};

  FactorBlock block_;
  std::vector<Leg> legs_;
  std::vector<Hit> slice_;
};

}  // namespace search
