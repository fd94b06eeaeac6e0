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
  // An odd prime p as a divisor: its inverse mod 2^32 and (2^32 - 1) / p.
  struct Divisor {
    std::uint32_t inverse;
    std::uint32_t limit;
  };
  static Divisor divisorOf(std::uint32_t prime);
  [[nodiscard]] Divisor smallestDivisorOf(std::uint32_t n) const;

  // For odd n = 2h + 1 below the limit, its smallest prime as an index into
  // divisors_ at smallest_[h], so that a column needs no division (limits up
  // to 2^19, whose odd primes number fewer than 2^16).
  std::vector<std::uint16_t> smallest_;
  std::vector<Divisor> divisors_;
};

}  // namespace search
