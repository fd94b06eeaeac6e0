#pragma once

#include <cstdint>

namespace search {

// Which hits to count: all of them, or those of primitive triples.
enum class Hits { All, Primitive };

// The number of hits that TripleSearch(lower, upper) hands out, or of its
// primitive ones, found without listing them where the bounds allow: with a
// positive lower bound every hit is k · (s, t) for one primitive triple s < t,
// and the multiples k that fall in the loops are a range counted at once.
std::int64_t countHits(std::int32_t lower, std::int32_t upper, Hits hits);

}  // namespace search
