#include "search/factor_block.h"

#include <algorithm>
#include <cassert>

namespace search {
namespace {

// The primes up to the square root of 2^31, enough to factor any block.
std::vector<std::uint32_t> sievePrimes() {
  constexpr std::uint32_t kLimit = 46341;
  std::vector<bool> composite(kLimit + 1, false);
  std::vector<std::uint32_t> primes;
  for (std::uint32_t n = 2; n <= kLimit; ++n) {
    if (composite[n]) continue;
    primes.push_back(n);
    for (std::uint32_t multiple = n * n; multiple <= kLimit; multiple += n) composite[multiple] = true;
  }
  return primes;
}

const std::vector<std::uint32_t>& smallPrimes() {
  static const std::vector<std::uint32_t> primes = sievePrimes();
  return primes;
}

}  // namespace

FactorBlock::FactorBlock()
    : factors_(std::make_unique_for_overwrite<PrimePower[]>(std::size_t{kCapacity} * kMaxPrimes)),
      primeCount_(kCapacity),
      sieved_(kCapacity) {}

void FactorBlock::addPrime(std::uint32_t slot, std::uint32_t prime) {
  factors_[std::size_t{slot} * kMaxPrimes + primeCount_[slot]] = {prime, 1, prime};
  ++primeCount_[slot];
}

void FactorBlock::factorize(std::uint32_t first, std::uint32_t count) {
  assert(first >= 1 && count <= kCapacity && std::uint64_t{first} + count - 1 <= (std::uint64_t{1} << 31));
  first_ = first;
  count_ = count;
  std::fill_n(primeCount_.begin(), count, std::uint8_t{0});
  std::fill_n(sieved_.begin(), count, std::uint32_t{1});

  // Numbers here are at most 2^31, so 32-bit arithmetic suffices (and stays
  // cheap on 32-bit targets); only the bound checks on powers need 64 bits.
  const std::uint32_t last = first + (count - 1);
  for (const std::uint32_t prime : smallPrimes()) {
    if (std::uint64_t{prime} * prime > last) break;
    for (std::uint32_t slot = (prime - first % prime) % prime; slot < count; slot += prime) {
      addPrime(slot, prime);
      sieved_[slot] *= prime;
    }
    // Each higher power that divides a number raises the exponent of the
    // prime just added, which is that number's last entry.
    for (std::uint64_t wide = std::uint64_t{prime} * prime; wide <= last; wide *= prime) {
      const auto power = static_cast<std::uint32_t>(wide);
      for (std::uint32_t slot = (power - first % power) % power; slot < count; slot += power) {
        PrimePower& factor = factors_[std::size_t{slot} * kMaxPrimes + primeCount_[slot] - 1];
        ++factor.exponent;
        factor.power *= prime;
        sieved_[slot] *= prime;
      }
    }
  }
  for (std::uint32_t slot = 0; slot < count; ++slot) {
    const std::uint32_t n = first + slot;
    if (sieved_[slot] != n) addPrime(slot, n / sieved_[slot]);
  }
}

std::span<const PrimePower> FactorBlock::factors(std::uint64_t n) const {
  assert(holds(n));
  const auto slot = static_cast<std::size_t>(n - first_);
  return {factors_.get() + slot * kMaxPrimes, primeCount_[slot]};
}

}  // namespace search
