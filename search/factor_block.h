#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace search {

// prime^exponent = power, one factor of a number.
struct PrimePower {
  std::uint32_t prime;
  std::uint32_t exponent;
  std::uint32_t power;
};

// Factorizes a block of consecutive numbers at once with a segmented sieve:
// each small prime marks its multiples, and what is left above 1 after all
// primes up to the square root is one large prime. No division per factor.
class FactorBlock {
 public:
  // The most numbers one block holds.
  static constexpr std::uint32_t kCapacity = 4096;

  FactorBlock();

  // Factorizes first, first + 1, ..., first + count - 1, all within 1 ... 2^31.
  void factorize(std::uint32_t first, std::uint32_t count);

  [[nodiscard]] bool holds(std::uint64_t n) const { return n >= first_ && n - first_ < count_; }
  // The prime factorization of n, which this block holds, in ascending primes.
  [[nodiscard]] std::span<const PrimePower> factors(std::uint64_t n) const;

 private:
  // 2 * 3 * 5 * ... * 29 > 2^31, so no number here has more than nine primes.
  static constexpr std::uint32_t kMaxPrimes = 9;

  void addPrime(std::uint32_t slot, std::uint32_t prime);

  std::uint64_t first_ = 0;
  std::uint32_t count_ = 0;
  std::unique_ptr<PrimePower[]> factors_;  // kMaxPrimes slots per number
  std::vector<std::uint8_t> primeCount_;
  std::vector<std::uint32_t> sieved_;  // product of the prime powers found so far
};

}  // namespace search
