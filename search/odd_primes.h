#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace search {

// The distinct odd primes of the numbers below a limit, from a table of
// smallest odd prime factors, so that many m can be tested against one n
// for a common factor by one multiplication for each prime of n: m is a
// multiple of an odd p exactly when m · p⁻¹ mod 2^32 <= (2^32 - 1) / p.
class OddPrimes {
 public:
  explicit OddPrimes(std::uint32_t limit);

  // Whether m shares no odd prime with n, which is fastest below the limit.
  class Column {
   public:
    [[nodiscard]] bool coprime(std::uint32_t m) const {
      for (std::uint32_t prime = 0; prime < count_; ++prime) {
        if (m * inverses_[prime] <= limits_[prime]) return false;
      }
      return true;
    }

   private:
    friend class OddPrimes;
    // A 32-bit number has at most 9 distinct odd primes.
    std::array<std::uint32_t, 9> inverses_{};
    std::array<std::uint32_t, 9> limits_{};
    std::uint32_t count_ = 0;
  };
  [[nodiscard]] Column column(std::uint32_t n) const;

 private:
  [[nodiscard]] std::uint32_t smallestFactorOf(std::uint32_t n) const;

  // For odd n, its smallest prime factor, or 0 where n is prime or 1.
  std::vector<std::uint16_t> smallestFactor_;
};

}  // namespace search
