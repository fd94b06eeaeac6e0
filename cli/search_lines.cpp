#include "cli/search_lines.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/batch_ring.h"
#include "search/primitive.h"
#include "search/result_line.h"
#include "search/triple_search.h"
#include "search/triple_sieve.h"

namespace {

// A piece's text: enough to make writing cheap, little enough to stay in
// the caches; a piece is handed over once it may not hold the next block.
// The pieces a thread may write ahead of the writing one hold more than a
// stretch's lines, so that each sieve keeps working while the other's
// stretch is written.
constexpr std::size_t kPieceText = std::size_t{1} << 18;
constexpr std::size_t kPiecesAhead = 6;

// Lines of text in loop order, how many, and whether they end a stretch.
// The text is written in place, into room that is not cleared first.
class LinePiece {
 public:
  // Where the next characters go, with room for count of them: a piece's
  // room is made once, the size of a piece's text unless a block needs more.
  char* roomFor(std::size_t count) {
    if (room_.size() < size_ + count) room_.resize(std::max(size_ + count, kPieceText));
    return room_.data() + size_;
  }
  // Keeps what was written from roomFor's place up to end, the lines of
  // count hits.
  void keep(const char* end, std::int64_t count) {
    size_ = static_cast<std::size_t>(end - room_.data());
    lines_ += count;
  }
  void endStretch() { endsStretch_ = true; }
  void clear() {
    size_ = 0;
    lines_ = 0;
    endsStretch_ = false;
  }

  [[nodiscard]] std::string_view text() const { return {room_.data(), size_}; }
  [[nodiscard]] std::int64_t lines() const { return lines_; }
  [[nodiscard]] bool endsStretch() const { return endsStretch_; }

 private:
  std::string room_;
  std::size_t size_ = 0;
  std::int64_t lines_ = 0;
  bool endsStretch_ = false;
};
using PieceRing = BatchRing<LinePiece>;

// The lines of the share's rows, stretch by stretch.
void sieveLines(std::int32_t lower, std::int32_t upper, search::SieveShare share, PieceRing& ring) {
  search::TripleSieve sieve(lower, upper, share);
  LinePiece* piece = &ring.toFill();
  while (!sieve.finished()) {
    const search::SievedBlock& block = sieve.nextBlock();
    const std::size_t room = block.hits.size() * search::kMaxSievedLine;
    if (piece->text().size() + room > kPieceText && piece->lines() > 0) {
      if (!ring.handOver()) return;
      piece = &ring.toFill();
    }
    piece->keep(search::writeSievedLines(block, piece->roomFor(room)),
                static_cast<std::int64_t>(block.hits.size()));
    if (sieve.finished() || sieve.atStretchStart()) {
      piece->endStretch();
      if (!ring.handOver()) return;
      if (!sieve.finished()) piece = &ring.toFill();
    }
  }
}

// The lines of any search, all or those of primitive triples.
void searchLines(std::int32_t lower, std::int32_t upper, search::Hits kept, PieceRing& ring) {
  search::TripleSearch search(lower, upper);
  search::ResultLine line;
  while (!search.finished()) {
    LinePiece& piece = ring.toFill();
    while (piece.text().size() < kPieceText && !search.finished()) {
      for (const search::Hit& hit : search.next()) {
        if (kept == search::Hits::Primitive && !search::isPrimitive(hit)) continue;
        char* end = line.write(hit, piece.roomFor(search::kMaxLineText + 1));
        *end++ = '\n';
        piece.keep(end, 1);
      }
    }
    if (!ring.handOver()) return;
  }
}

// Runs a thread's part, handing its error, memory most likely, to the
// writing thread.
template <typename Part>
void runPart(PieceRing& ring, Part part) {
  try {
    part();
  } catch (...) {
    ring.finish(std::current_exception());
    return;
  }
  ring.finish();
}

}  // namespace

std::int64_t writeSearchLines(std::int32_t lower, std::int32_t upper, search::Hits hits, std::FILE* out) {
  // Where the sieve lists every line, two sieves share its stretches, each
  // on a thread of its own, and their lines come out stretch by stretch;
  // past half its limit one sieve does, as two would need more memory than
  // one at the limit.
  const bool sieved = hits == search::Hits::All && search::TripleSieve::covers(lower, upper);
  const std::uint32_t parts = sieved && upper <= search::TripleSieve::kMaxUpper / 2 ? 2 : 1;
  std::deque<PieceRing> rings;
  std::vector<std::jthread> threads;
  // However this ends, the threads stop before they are joined.
  const std::unique_ptr<std::deque<PieceRing>, decltype([](std::deque<PieceRing>* all) {
                          for (PieceRing& ring : *all) ring.stop();
                        })>
      stopAll(&rings);
  for (std::uint32_t index = 0; index < parts; ++index) {
    PieceRing& ring = rings.emplace_back(kPiecesAhead);
    const search::SieveShare share{index, parts};
    threads.emplace_back([&ring, lower, upper, hits, share, sieved] {
      runPart(ring, [&] {
        sieved ? sieveLines(lower, upper, share, ring) : searchLines(lower, upper, hits, ring);
      });
    });
  }

  std::int64_t written = 0;
  std::uint32_t turn = 0;  // whose stretch is written
  while (const LinePiece* piece = rings[turn].toRead()) {
    std::fwrite(piece->text().data(), 1, piece->text().size(), out);
    written += piece->lines();
    const bool endsStretch = piece->endsStretch();
    rings[turn].giveBack();
    if (std::ferror(out) != 0) break;
    if (endsStretch) turn = (turn + 1) % parts;
  }
  return written;
}
