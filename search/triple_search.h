#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "search/hit.h"
#include "search/row_block.h"
#include "search/row_sieve.h"
#include "search/triple_sieve.h"

namespace search {

// A piece of a search's hits in loop order: the rows of a block of a row
// sieve, still to be merged, or hits one by one.
struct FoundHits {
  RowBlock block;
  std::vector<Hit> hits;
  void clear() {
    block.clear();
    hits.clear();
  }
  [[nodiscard]] std::size_t size() const { return block.first.size() + block.second.size() + hits.size(); }
};

// Calls sink(hit) for each hit of the piece, in loop order.
template <typename Sink>
void forEachHit(const FoundHits& found, Sink&& sink) {
  forEachHit(found.block, sink);
  for (const Hit& hit : found.hits) sink(hit);
}

// Lists, for the bounds lower and upper, every pair with lower <= i <= upper
// and i + lower <= j <= upper whose i² + j² is a perfect square, by ascending
// i and then ascending j: exactly the pairs and the order of a double loop
// that tests each pair, without testing each pair. The negative rows come
// from one row sieve, the row i = 0 (every j is a hit) is written directly,
// and the positive rows come from another row sieve, or from the triple
// sieve where it applies (positive bounds up to TripleSieve::kMaxUpper),
// which is the faster there.
class TripleSearch {
 public:
  TripleSearch(std::int32_t lower, std::int32_t upper);

  // The next hits, at most kSliceHits. Each call does a bounded amount of
  // work, so a slice may be empty before the end: call again until
  // finished(). The span stays valid until the next call.
  std::span<const Hit> next();
  // The next piece of hits, in place of found's: a block of rows or at most
  // kSliceHits hits, possibly none. Mixes with next() only where next() has
  // handed out all the hits of its piece.
  void next(FoundHits& found);
  [[nodiscard]] bool finished() const;
  // How far the outer index has got, from 0 to 1.
  [[nodiscard]] double progress() const;

 private:
  void nextOfZeroRow(std::vector<Hit>& hits);

  // Each sieve is made when its rows come, so that one at a time holds memory.
  std::optional<RowSieve> negativeRows_;
  std::variant<std::monostate, RowSieve, TripleSieve> positiveRows_;
  std::int64_t lower_;
  std::int64_t upper_;
  std::int64_t lastRow_;
  std::int64_t zeroRowJ_;
  bool inZeroRow_;
  bool positiveRowsMade_ = false;
  // The piece being handed out by next(), merged, and what is left of it.
  FoundHits piece_;
  std::vector<Hit> pieceHits_;
  std::span<const Hit> left_;
};

}  // namespace search
