#include "cli/search_lines.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <memory>
#include <span>
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
// the caches. The pieces a thread may fill ahead of the writing one hold
// more than a stretch's lines, so that each sieve keeps working while the
// other's stretch is written.
constexpr std::size_t kPieceText = std::size_t{1} << 18;
constexpr std::size_t kPiecesAhead = 8;

// Lines of text in loop order, how many, and whether they end a stretch.
// The text is written in place, into room that is not cleared first, so
// that only the pages written are ever touched.
class LinePiece {
 public:
  // Where the next characters go, with room for count of them.
  char* roomFor(std::size_t count) {
    if (capacity_ < size_ + count) grow(size_ + count);
    return room_.get() + size_;
  }
  // Keeps what was written from roomFor's place up to end, the lines of
  // count hits.
  void keep(const char* end, std::int64_t count) {
    size_ = static_cast<std::size_t>(end - room_.get());
    lines_ += count;
  }
  void endStretch() { endsStretch_ = true; }
  void clear() {
    size_ = 0;
    lines_ = 0;
    endsStretch_ = false;
  }

  [[nodiscard]] std::string_view text() const { return {room_.get(), size_}; }
  [[nodiscard]] std::int64_t lines() const { return lines_; }
  [[nodiscard]] bool endsStretch() const { return endsStretch_; }

 private:
  // Room for at least size characters, the text kept; it grows by half or
  // more each time, so that a piece seldom moves.
  void grow(std::size_t size) {
    capacity_ = std::max({size, capacity_ + capacity_ / 2, kPieceText});
    auto room = std::make_unique_for_overwrite<char[]>(capacity_);
    std::copy_n(room_.get(), size_, room.get());
    room_ = std::move(room);
  }

  std::unique_ptr<char[]> room_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
  std::int64_t lines_ = 0;
  bool endsStretch_ = false;
};
using PieceRing = BatchRing<LinePiece>;

// The lines of the share's rows, stretch by stretch, in pieces of about
// kPieceText: the rows of a block go on in the next piece where a piece is
// full.
void sieveLines(std::int32_t lower, std::int32_t upper, search::SieveShare share, PieceRing& ring) {
  search::TripleSieve sieve(lower, upper, share);
  LinePiece* piece = &ring.toFill();
  while (!sieve.finished()) {
    const search::SievedBlock& block = sieve.nextBlock();
    const auto rows = static_cast<std::uint32_t>(block.rowEnds.size());
    for (std::uint32_t from = 0; from < rows;) {
      // The rows whose lines fit in the piece, at least one in an empty piece.
      const std::size_t room =
          (kPieceText - std::min(kPieceText, piece->text().size())) / search::kMaxSievedLine;
      auto to = static_cast<std::uint32_t>(
          std::upper_bound(block.rowEnds.begin() + from, block.rowEnds.end(), block.rowBegin(from) + room) -
          block.rowEnds.begin());
      if (to == from && piece->lines() > 0) {
        if (!ring.handOver()) return;
        piece = &ring.toFill();
        continue;
      }
      to = std::max(to, from + 1);
      const std::uint32_t hits = block.rowEnds[to - 1] - block.rowBegin(from);
      piece->keep(search::writeSievedLines(block, from, to, piece->roomFor(hits * search::kMaxSievedLine)),
                  hits);
      from = to;
    }
    if (sieve.finished() || sieve.atStretchStart()) {
      piece->endStretch();
      if (!ring.handOver()) return;
      if (!sieve.finished()) piece = &ring.toFill();
    }
  }
}

// Pieces of hits handed over together: blocks of sparse rows are many and
// small, and a hand-over costs the threads more than such a block.
struct FoundBatch {
  std::vector<search::FoundHits> pieces;
  std::size_t used = 0;
  void clear() { used = 0; }
};
using FoundRing = BatchRing<FoundBatch>;
// Batches the search may find ahead of the writing: enough to keep both
// threads busy, few enough that blocks of dense rows stay within memory. A
// batch ends once it holds kBatchHits hits or kBatchPieces pieces.
constexpr std::size_t kFoundAhead = 2;
constexpr std::size_t kBatchHits = 8192;
constexpr std::size_t kBatchPieces = 16;

// The search's pieces of hits, unmerged: the writing thread merges them.
void searchHits(std::int32_t lower, std::int32_t upper, FoundRing& ring) {
  search::TripleSearch search(lower, upper);
  while (!search.finished()) {
    FoundBatch& batch = ring.toFill();
    std::size_t hits = 0;
    do {
      if (batch.used == batch.pieces.size()) batch.pieces.emplace_back();
      search::FoundHits& piece = batch.pieces[batch.used++];
      search.next(piece);
      hits += piece.size();
    } while (hits < kBatchHits && batch.used < kBatchPieces && !search.finished());
    if (!ring.handOver()) return;
  }
}

// Runs a thread's part, handing its error, memory most likely, to the
// writing thread.
template <typename Ring, typename Part>
void runPart(Ring& ring, Part part) {
  try {
    part();
  } catch (...) {
    ring.finish(std::current_exception());
    return;
  }
  ring.finish();
}

}  // namespace

namespace {

// However the writing ends, the rings are stopped before the threads that
// fill them are joined: declared after the threads, it goes first.
template <typename Ring>
using StopAll = std::unique_ptr<std::deque<Ring>, decltype([](std::deque<Ring>* rings) {
                                  for (Ring& ring : *rings) ring.stop();
                                })>;

// Where the triple sieve lists every line, two sieves share its stretches,
// each on a thread of its own, and their lines come out stretch by stretch.
std::int64_t writeSievedLines(std::int32_t lower, std::int32_t upper, std::FILE* out) {
  constexpr std::uint32_t parts = 2;
  std::deque<PieceRing> rings;
  std::vector<std::jthread> threads;
  for (std::uint32_t index = 0; index < parts; ++index) {
    PieceRing& ring = rings.emplace_back(kPiecesAhead);
    const search::SieveShare share{index, parts};
    threads.emplace_back(
        [&ring, lower, upper, share] { runPart(ring, [&] { sieveLines(lower, upper, share, ring); }); });
  }
  const StopAll<PieceRing> stopAll(&rings);
  std::int64_t written = 0;
  std::uint32_t turn = 0;  // whose stretch is written
  while (const LinePiece* piece = rings[turn].toRead()) {
    // A stretch may end with a piece that holds no line, and no room.
    if (!piece->text().empty()) std::fwrite(piece->text().data(), 1, piece->text().size(), out);
    written += piece->lines();
    const bool endsStretch = piece->endsStretch();
    rings[turn].giveBack();
    if (std::ferror(out) != 0) break;
    if (endsStretch) turn = (turn + 1) % parts;
  }
  return written;
}

// Elsewhere one thread searches while this one merges the rows of its
// blocks, keeps the hits asked for, and formats and writes their lines.
std::int64_t writeFoundLines(std::int32_t lower, std::int32_t upper, search::Hits hits, std::FILE* out) {
  std::deque<FoundRing> rings;
  FoundRing& ring = rings.emplace_back(kFoundAhead);
  const std::jthread searching(
      [&ring, lower, upper] { runPart(ring, [&] { searchHits(lower, upper, ring); }); });
  const StopAll<FoundRing> stopAll(&rings);
  const auto text = std::make_unique_for_overwrite<char[]>(kPieceText + search::kMaxLineText + 1);
  char* const full = text.get() + kPieceText;
  char* end = text.get();
  const auto flush = [&] {
    std::fwrite(text.get(), 1, static_cast<std::size_t>(end - text.get()), out);
    end = text.get();
    return std::ferror(out) == 0;
  };
  search::ResultLine line;
  std::int64_t written = 0;
  while (const FoundBatch* batch = ring.toRead()) {
    bool failed = false;
    for (const search::FoundHits& found : std::span(batch->pieces).first(batch->used)) {
      search::forEachHit(found, [&](const search::Hit& hit) {
        if (failed || (hits == search::Hits::Primitive && !search::isPrimitive(hit))) return;
        end = line.write(hit, end);
        *end++ = '\n';
        ++written;
        if (end >= full) failed = !flush();
      });
    }
    ring.giveBack();
    if (failed) return written;
  }
  flush();
  return written;
}

}  // namespace

std::int64_t writeSearchLines(std::int32_t lower, std::int32_t upper, search::Hits hits, std::FILE* out) {
  if (hits == search::Hits::All && search::TripleSieve::covers(lower, upper)) {
    return writeSievedLines(lower, upper, out);
  }
  return writeFoundLines(lower, upper, hits, out);
}
