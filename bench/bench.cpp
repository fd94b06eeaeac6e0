// Measures the search engine against the pair-by-pair double loop it
// replaces, and the cost of the search beside the cost of writing its lines.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "search/result_line.h"
#include "search/row_sieve.h"
#include "search/triple_search.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work>
double secondsOf(Work&& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The double loop with double-precision squares and root, pair by pair.
std::int64_t countPairByPair(std::int32_t lower, std::int32_t upper) {
  std::int64_t hits = 0;
  for (std::int32_t i = lower; i <= upper; ++i) {
    for (std::int32_t j = i + lower; j <= upper; ++j) {
      const double t = std::pow(static_cast<double>(j), 2.0) + std::pow(static_cast<double>(i), 2.0);
      const double c = std::sqrt(t);
      if (std::floor(c) == c) ++hits;
    }
  }
  return hits;
}

template <typename Search>
std::int64_t countOf(Search search) {
  std::int64_t hits = 0;
  while (!search.finished()) hits += static_cast<std::int64_t>(search.next().size());
  return hits;
}

// The two sieves on the same positive range, each on one thread: the triple
// sieve, which the search takes where it applies, and the row sieve.
void compareSieves(std::int32_t upper) {
  std::int64_t tripleHits = 0;
  std::int64_t rowHits = 0;
  const double rows = secondsOf([&] {
    search::RowSieve sieve(1, upper, +1);
    search::RowBlock block;
    while (!sieve.finished()) {
      sieve.nextBlock(block);
      search::forEachHit(block, [&rowHits](const search::Hit&) { ++rowHits; });
    }
  });
  const double triples = secondsOf([&] { tripleHits = countOf(search::TripleSieve(1, upper)); });
  std::printf("bounds 1 and %d: row sieve %.3f s, triple sieve %.3f s (%lld hits%s)\n", upper, rows, triples,
              static_cast<long long>(tripleHits), tripleHits == rowHits ? "" : ", COUNTS DIFFER");
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

void writeLine(std::FILE* sink, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), sink);
  std::fputc('\n', sink);
}

void compareWithPairByPair(std::int32_t upper) {
  std::int64_t engineHits = 0;
  std::int64_t loopHits = 0;
  const double loop = secondsOf([&] { loopHits = countPairByPair(1, upper); });
  const double engine = secondsOf([&] { engineHits = countOf(search::TripleSearch(1, upper)); });
  std::printf("bounds 1 and %d: pair by pair %.3f s, engine %.6f s, %.0f times faster (%lld hits%s)\n", upper,
              loop, engine, loop / engine, static_cast<long long>(engineHits),
              engineHits == loopHits ? "" : ", COUNTS DIFFER");
}

void compareWithWriting(std::int32_t upper) {
  std::vector<search::Hit> prepared;
  search::TripleSearch collect(1, upper);
  while (!collect.finished()) {
    const auto slice = collect.next();
    prepared.insert(prepared.end(), slice.begin(), slice.end());
  }
  const std::unique_ptr<std::FILE, FileCloser> sink(std::fopen("/dev/null", "wb"));
  search::ResultLine line;
  const double writing = secondsOf([&] {
    for (const search::Hit& hit : prepared) writeLine(sink.get(), line.format(hit));
    std::fflush(sink.get());
  });
  const double both = secondsOf([&] {
    search::TripleSearch search(1, upper);
    while (!search.finished()) {
      for (const search::Hit& hit : search.next()) writeLine(sink.get(), line.format(hit));
    }
    std::fflush(sink.get());
  });
  std::printf(
      "bounds 1 and %d (%zu lines): formatting and writing %.3f s, search with them %.3f s, ratio %.2f\n",
      upper, prepared.size(), writing, both, both / writing);
}

// How long the search runs, and the longest time between two slices: the
// window can only answer its events between slices. The first gap includes
// building the search.
void measureSlices(std::int32_t lower, std::int32_t upper, double limitSeconds) {
  const auto start = Clock::now();
  search::TripleSearch search(lower, upper);
  std::int64_t hits = 0;
  double longestGap = 0;
  auto previous = start;
  double elapsed = 0;
  while (!search.finished() && elapsed < limitSeconds) {
    hits += static_cast<std::int64_t>(search.next().size());
    const auto now = Clock::now();
    longestGap = std::max(longestGap, std::chrono::duration<double>(now - previous).count());
    previous = now;
    elapsed = std::chrono::duration<double>(now - start).count();
  }
  std::printf("bounds %d and %d: %s after %.1f s (%.1f %% of the rows, %lld hits), longest slice %.1f ms\n",
              lower, upper, search.finished() ? "finished" : "stopped", elapsed, 100.0 * search.progress(),
              static_cast<long long>(hits), longestGap * 1000.0);
}

}  // namespace

int main() {
  compareWithPairByPair(10000);
  compareWithPairByPair(100000);
  compareSieves(1000000);
  compareSieves(10000000);
  compareWithWriting(1000000);
  measureSlices(1, 4194304, 120.0);
  measureSlices(1000000000, 2147483647, 120.0);
  measureSlices(-1000000, 1000000, 120.0);
  measureSlices(INT32_MIN, INT32_MAX, 10.0);
}
