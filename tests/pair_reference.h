#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "search/result_line.h"
#include "search/triple_search.h"

// The search done the slow, obvious way: every pair of the double loop
// (i from lower to upper, j from i + lower to upper) is tested exactly in
// integers. The engine must always agree with it. Indices are 64-bit, as in
// the engine, and j can be limited to [jFrom, jTo] to probe huge rows.
std::vector<search::Hit> pairByPair(std::int32_t lower, std::int32_t upper);
std::vector<search::Hit> pairByPair(std::int32_t lower, std::int32_t upper, std::int64_t jFrom,
                                    std::int64_t jTo);

// The root c of i² + j² when that sum is a perfect square.
bool isSquareSum(std::int64_t i, std::int64_t j, std::int64_t& root);

// Every hit of a search, drained slice by slice.
template <typename Search>
std::vector<search::Hit> drain(Search search) {
  std::vector<search::Hit> hits;
  while (!search.finished()) {
    const auto slice = search.next();
    hits.insert(hits.end(), slice.begin(), slice.end());
  }
  return hits;
}

// Every hit of an engine run.
inline std::vector<search::Hit> engineHits(std::int32_t lower, std::int32_t upper) {
  return drain(search::TripleSearch(lower, upper));
}

// The line of a hit as the program must write it, made with std::to_chars
// rather than the program's own digit writers: each number after its sign
// position (a space, or the minus sign), one space between numbers.
std::string referenceLine(const search::Hit& hit);

// Every line of an engine run, as the program must write them.
inline std::vector<std::string> engineLines(std::int32_t lower, std::int32_t upper) {
  std::vector<std::string> lines;
  for (const search::Hit& hit : engineHits(lower, upper)) lines.push_back(referenceLine(hit));
  return lines;
}

namespace search {
// How a failing check shows a hit.
inline void PrintTo(const Hit& hit, std::ostream* out) {
  *out << '{' << hit.i << ", " << hit.j << ", " << hit.c << '}';
}
}  // namespace search
