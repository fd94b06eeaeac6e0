#include "search/hit_count.h"

#include <algorithm>

#include "search/primitive.h"
#include "search/primitive_triples.h"
#include "search/triple_search.h"

namespace search {
namespace {

std::int64_t ceilDiv(std::int64_t numerator, std::int64_t denominator) {
  return (numerator + denominator - 1) / denominator;
}

// Every multiple k · (s, t) with i = k · s from lower on, j = k · t at most
// upper and j - i = k · (t - s) at least lower is a hit: the primitive hits
// are those with k = 1.
std::int64_t countByTriples(std::int64_t lower, std::int64_t upper, Hits hits) {
  std::int64_t count = 0;
  forEachPrimitiveTriple(upper, [&](std::int64_t m, std::int64_t n) {
    const std::int64_t odd = m * m - n * n;
    const std::int64_t even = 2 * m * n;
    const std::int64_t s = std::min(odd, even);
    const std::int64_t t = std::max(odd, even);
    const std::int64_t first = std::max(ceilDiv(lower, s), ceilDiv(lower, t - s));
    const std::int64_t last = upper / t;
    if (hits == Hits::Primitive) {
      count += first == 1 && last >= 1 ? 1 : 0;
    } else {
      count += std::max<std::int64_t>(0, last - first + 1);
    }
  });
  return count;
}

std::int64_t countBySearch(std::int32_t lower, std::int32_t upper, Hits hits) {
  TripleSearch search(lower, upper);
  std::int64_t count = 0;
  while (!search.finished()) {
    const auto slice = search.next();
    if (hits == Hits::All) {
      count += static_cast<std::int64_t>(slice.size());
    } else {
      count += std::count_if(slice.begin(), slice.end(), isPrimitive);
    }
  }
  return count;
}

}  // namespace

std::int64_t countHits(std::int32_t lower, std::int32_t upper, Hits hits) {
  if (lower > 0) return countByTriples(lower, upper, hits);
  return countBySearch(lower, upper, hits);
}

}  // namespace search
