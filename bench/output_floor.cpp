// The output floor of a search: the time to format and write its lines when
// the hits are already in memory, with nothing of the program's own. The hits
// are gathered a chunk at a time, off the clock, so that memory stays bounded
// at any bounds; then, on the clock, each number goes by std::to_chars into
// one buffer, which one fwrite writes to standard output. Prints the lines'
// count and the seconds on the clock on standard error.
//   output_floor LOWER UPPER    (any 32-bit bounds)
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "search/triple_search.h"

namespace {

// The longest line: three numbers of a sign position and at most 11 digits
// (|j| <= 2^32 and c < 2^33), two spaces and the line end.
constexpr std::size_t kMaxLine = 3 * 12 + 3;
// The hits formatted at once: some 500 MB with the room for their lines.
constexpr std::size_t kChunkHits = std::size_t{1} << 23;

std::optional<std::int32_t> boundOf(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Writes number after its sign position, in 32-bit arithmetic where its
// digits fit, as a 32-bit build would have it.
char* writeNumber(std::int64_t number, char* out, char* limit) {
  *out++ = number < 0 ? '-' : ' ';
  const std::uint64_t magnitude =
      number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
  if (magnitude <= UINT32_MAX) return std::to_chars(out, limit, static_cast<std::uint32_t>(magnitude)).ptr;
  return std::to_chars(out, limit, magnitude).ptr;
}

// Formats the lines of hits into text, which has room for them, and writes
// them with one fwrite.
void writeLines(std::span<const search::Hit> hits, std::span<char> text) {
  char* const limit = text.data() + text.size();
  char* end = text.data();
  for (const search::Hit& hit : hits) {
    end = writeNumber(hit.i, end, limit);
    *end++ = ' ';
    end = writeNumber(hit.j, end, limit);
    *end++ = ' ';
    end = writeNumber(hit.c, end, limit);
    *end++ = '\n';
  }
  std::fwrite(text.data(), 1, static_cast<std::size_t>(end - text.data()), stdout);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const std::span args(argv, static_cast<std::size_t>(argc));
  const auto lower = args.size() == 3 ? boundOf(args[1]) : std::nullopt;
  const auto upper = args.size() == 3 ? boundOf(args[2]) : std::nullopt;
  if (!lower || !upper) {
    std::fprintf(stderr, "usage: output_floor LOWER UPPER (32-bit bounds)\n");
    return 2;
  }
  std::vector<search::Hit> hits;
  hits.reserve(kChunkHits);
  // Room for a chunk's lines, touched before the clock starts.
  const std::size_t size = kChunkHits * kMaxLine;
  const auto text = std::make_unique_for_overwrite<char[]>(size);
  std::memset(text.get(), 0, size);

  std::uint64_t lines = 0;
  std::chrono::duration<double> seconds{};
  const auto writeChunk = [&] {
    const auto start = std::chrono::steady_clock::now();
    writeLines(hits, {text.get(), size});
    seconds += std::chrono::steady_clock::now() - start;
    lines += hits.size();
    hits.clear();
  };
  search::TripleSearch search(*lower, *upper);
  while (!search.finished()) {
    for (auto slice = search.next(); !slice.empty();) {
      const std::size_t taken = std::min(slice.size(), kChunkHits - hits.size());
      hits.insert(hits.end(), slice.begin(), slice.begin() + static_cast<std::ptrdiff_t>(taken));
      slice = slice.subspan(taken);
      if (hits.size() == kChunkHits) writeChunk();
    }
  }
  writeChunk();
  std::fprintf(stderr, "%" PRIu64 " lines in %.4f s\n", lines, seconds.count());
  return 0;
}
