#pragma once

#include <cstdint>

namespace search {

// Which hits to count: all of them, or those of primitive triples.
enum class Hits { All, Primitive };

// The number of hits that TripleSearch(lower, upper) hands out, or of its
// primitive ones, for any bounds, without listing them. The hits with a
// zero index are counted at once. Every other hit is (±k·x, ±k·y) for one
// primitive pair of legs (x, y) from coprime m > n of opposite parity; the
// coprimality and the multiples k are folded into sums over q of the pairs
// (m, n), coprime or not, whose legs times q fall in the loops, weighted
// with the Möbius function of odd numbers. Those pairs depend on q only
// through lower / q and upper / q rounded down, so the q are taken in
// stretches that share them. With M = max(|lower|, |upper|), that is about
// M^(3/4) steps in all, and √M · log M for the primitive hits alone.
std::int64_t countHits(std::int32_t lower, std::int32_t upper, Hits hits);

}  // namespace search
