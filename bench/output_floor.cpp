// The output floor of a search: the time to format and write its lines when
// the hits are already in memory, with nothing of the program's own, every
// number by std::to_chars into one buffer and the buffer written with one
// fwrite to standard output. Prints the lines' count and the seconds on
// standard error.
//   output_floor LOWER UPPER    (positive bounds, whose numbers fit 32 bits)
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "search/result_line.h"
#include "search/triple_search.h"

namespace {

std::vector<std::array<std::uint32_t, 3>> hitsOf(std::int32_t lower, std::int32_t upper) {
  std::vector<std::array<std::uint32_t, 3>> hits;
  search::TripleSearch search(lower, upper);
  while (!search.finished()) {
    for (const search::Hit& hit : search.next()) {
      hits.push_back({static_cast<std::uint32_t>(hit.i), static_cast<std::uint32_t>(hit.j),
                      static_cast<std::uint32_t>(hit.c)});
    }
  }
  return hits;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::atoi(argv[1]) < 1 || std::atoi(argv[2]) < 1) {
    std::fprintf(stderr, "usage: output_floor LOWER UPPER (positive bounds)\n");
    return 2;
  }
  const auto hits = hitsOf(std::atoi(argv[1]), std::atoi(argv[2]));
  // Room for every line, touched before the clock starts.
  const std::size_t size = hits.size() * search::kMaxLineText + 1;
  const auto text = std::make_unique_for_overwrite<char[]>(size);
  std::memset(text.get(), 0, size);

  const auto start = std::chrono::steady_clock::now();
  char* end = text.get();
  for (const auto& hit : hits) {
    for (const std::uint32_t number : hit) {
      *end++ = ' ';
      end = std::to_chars(end, text.get() + size, number).ptr;
      *end++ = ' ';
    }
    end[-1] = '\n';
  }
  std::fwrite(text.get(), 1, static_cast<std::size_t>(end - text.get()), stdout);
  std::fflush(stdout);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "%zu lines in %.4f s\n", hits.size(), seconds.count());
  return 0;
}
