#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "search/factor_block.h"

namespace search {

// A leg k > 0 with m² + k² = root².
struct Leg {
  std::uint64_t leg;
  std::uint64_t root;
};

// Finds the legs that go with one leg m from the factorization of m: m² =
// (c - k)(c + k), so every divisor d < m of m² whose cofactor e = m² / d has
// its parity gives k = (e - d) / 2 and c = (e + d) / 2. Only divisors whose k
// can fall in the requested range are generated: bounds on d prune the
// products of prime powers as they are built.
class LegFinder {
 public:
  LegFinder();

  // The legs from shortest to longest (inclusive), in ascending order, and
  // perhaps a few just outside. The span stays valid until the next call.
  std::span<const Leg> find(std::uint64_t m, std::span<const PrimePower> factors, std::uint64_t shortest,
                            std::uint64_t longest);

 private:
  void addLegs(std::span<const std::uint64_t> parts, const PrimePower& smallest);

  std::uint64_t square_ = 0;
  std::uint64_t minDivisor_ = 0;
  std::uint64_t maxDivisor_ = 0;
  // Products of the powers of all primes but the smallest, two generations.
  std::unique_ptr<std::uint64_t[]> parts_;
  std::unique_ptr<std::uint64_t[]> nextParts_;
  std::vector<Leg> legs_;
};

}  // namespace search
