#include "search/triple_sieve.h"

#include <algorithm>
#include <numeric>

#include "search/primitive_triples.h"
#include "search/slice.h"
#include "search/triple_arithmetic.h"

namespace search {
namespace {

constexpr std::uint32_t kBlockRows = kSieveBlockRows;

// The legs, shorter one first, and hypotenuse of a primitive triple.
struct OrderedTriple {
  std::uint32_t s;
  std::uint32_t t;
  std::uint32_t h;
};

OrderedTriple orderedTripleOf(std::uint32_t m, std::uint32_t n) {
  const auto [odd, even, hypotenuse] = tripleOf<std::uint32_t>(m, n);
  return {std::min(odd, even), std::max(odd, even), hypotenuse};
}

}  // namespace

TripleSieve::TripleSieve(std::int64_t lower, std::int64_t upper, SieveShare share)
    : lower_(static_cast<std::uint32_t>(lower)),
      upper_(static_cast<std::uint32_t>(upper)),
      share_(share),
      nextRow_(firstSharedRow(lower_)),
      lastRow_(upper - lower),
      buckets_(lastRow_ >= nextRow_ ? static_cast<std::size_t>(lastRow_ - lower_) / kBlockRows + 1 : 1),
      blockRowEnds_(kBlockRows) {
  slice_.reserve(kSliceHits);
  if (nextRow_ > lastRow_) return;
  forEachPrimitiveTriple(upper, [this](std::uint32_t m, std::uint32_t n) { addPrimitive(m, n); });
  // In a row i, the multiple of (s, t) has j = i · t / s: in the ascending
  // order of t / s, the triples give the hits of each row in loop order.
  std::sort(shortLegs_.begin(), shortLegs_.end(), [](const ShortMultiples& a, const ShortMultiples& b) {
    const OrderedTriple x = orderedTripleOf(a.m, a.n);
    const OrderedTriple y = orderedTripleOf(b.m, b.n);
    return std::uint64_t{x.t} * y.s < std::uint64_t{y.t} * x.s;
  });
  skipShortLegsTo(static_cast<std::uint32_t>(nextRow_));
}

// Keeps the multiples k · (s, t, h) that are hits: row k · s from lower on,
// j = k · t at most upper, and j - i = k · (t - s) at least lower.
void TripleSieve::addPrimitive(std::uint32_t m, std::uint32_t n) {
  const auto [s, t, h] = orderedTripleOf(m, n);
  // Divisions are slow and, with a small lower bound, seldom needed.
  const std::uint32_t kFirst =
      s >= lower_ && t - s >= lower_ ? 1 : std::max(ceilDiv(lower_, s), ceilDiv(lower_, t - s));
  if (std::uint64_t{kFirst} * t > upper_) return;
  const auto packedM = static_cast<std::uint16_t>(m);
  const auto packedN = static_cast<std::uint16_t>(n);
  if (s < kBlockRows) {
    shortLegs_.push_back({packedM, packedN, kFirst});
  } else {
    addToBucket({packedM, packedN, static_cast<std::uint16_t>(kFirst)}, s, t, kFirst * s);
  }
}

// The first row from row on in the share's stretches.
std::uint32_t TripleSieve::firstSharedRow(std::uint32_t row) const {
  if (share_.count == 1) return row;
  const std::uint32_t stretch = (row - lower_) / SieveShare::kStretchRows;
  const std::uint32_t ahead = (share_.index - stretch) & (share_.count - 1);
  return ahead == 0 ? row : lower_ + (stretch + ahead) * SieveShare::kStretchRows;
}

// Files the multiple of (s, t) in row under the block of the first of its
// multiples that the share lists; drops it once that is past upper.
void TripleSieve::addToBucket(LongMultiples multiples, std::uint32_t s, std::uint32_t t, std::uint32_t row) {
  // A multiple past the share's next stretch start may miss that stretch too;
  // a leg as long as a stretch gets past one in a step or two.
  for (std::uint32_t shared = firstSharedRow(row); shared != row; shared = firstSharedRow(row)) {
    multiples.k =
        static_cast<std::uint16_t>(s >= SieveShare::kStretchRows ? multiples.k + 1 : ceilDiv(shared, s));
    if (std::uint64_t{multiples.k} * t > upper_) return;
    row = multiples.k * s;
  }
  buckets_.add(blockOf(row), multiples);
}

std::size_t TripleSieve::blockOf(std::uint32_t row) const { return (row - lower_) / kBlockRows; }

bool TripleSieve::atStretchStart() const {
  return (static_cast<std::uint32_t>(nextRow_) - lower_) % SieveShare::kStretchRows == 0;
}

const SievedBlock& TripleSieve::nextBlock() {
  sieveBlock();
  handedOut_ = block_.hits.size();
  return block_;
}

// Finds and orders the hits of the next block of rows, then moves on to the
// share's next stretch where the block ended one.
void TripleSieve::sieveBlock() {
  const auto first = static_cast<std::uint32_t>(nextRow_);
  const auto rows = static_cast<std::uint32_t>(std::min<std::int64_t>(kBlockRows, lastRow_ - nextRow_ + 1));
  found_.clear();
  handOutShortLegs(first, first + rows);
  handOutBucket(first);
  sortBlock(first, rows);
  nextRow_ += rows;
  if (share_.count > 1 && atStretchStart() && nextRow_ <= lastRow_) {
    nextRow_ = firstSharedRow(static_cast<std::uint32_t>(nextRow_));
    if (nextRow_ <= lastRow_) skipShortLegsTo(static_cast<std::uint32_t>(nextRow_));
  }
}

// Moves the short legs on to their first multiples from the row first, where
// the share's next stretch begins; triples past upper leave the list.
void TripleSieve::skipShortLegsTo(std::uint32_t first) {
  std::size_t kept = 0;
  for (ShortMultiples multiples : shortLegs_) {
    const auto [s, t, h] = orderedTripleOf(multiples.m, multiples.n);
    multiples.k = std::max(multiples.k, ceilDiv(first, s));
    if (std::uint64_t{multiples.k} * t <= upper_) shortLegs_[kept++] = multiples;
  }
  shortLegs_.resize(kept);
}

// Every multiple in the block of each triple shorter than a block. Triples
// past upper leave the list.
void TripleSieve::handOutShortLegs(std::uint32_t first, std::uint32_t end) {
  std::size_t kept = 0;
  for (ShortMultiples multiples : shortLegs_) {
    const auto [s, t, h] = orderedTripleOf(multiples.m, multiples.n);
    std::uint32_t row = multiples.k * s;
    std::uint32_t j = multiples.k * t;
    for (; row < end && j <= upper_; row += s, j += t, ++multiples.k) {
      found_.push_back({row - first, j, multiples.k * h});
    }
    if (j <= upper_) shortLegs_[kept++] = multiples;
  }
  shortLegs_.resize(kept);
}

// The one multiple in the block of each triple waiting in its bucket, which
// then waits in the bucket of its next multiple.
void TripleSieve::handOutBucket(std::uint32_t first) {
  buckets_.drain(blockOf(first), [&](LongMultiples multiples) {
    const auto [s, t, h] = orderedTripleOf(multiples.m, multiples.n);
    const std::uint32_t row = multiples.k * s;
    found_.push_back({row - first, multiples.k * t, multiples.k * h});
    ++multiples.k;
    if (multiples.k * t <= upper_) addToBucket(multiples, s, t, row + s);
  });
}

// Orders the block's hits by row and then j: a stable counting sort by row
// puts the short legs' hits of each row first, in loop order, and the
// bucket's few hits after them, from where they are sorted in.
void TripleSieve::sortBlock(std::uint32_t first, std::uint32_t rows) {
  const auto ends = std::span(blockRowEnds_).first(rows);
  std::fill(ends.begin(), ends.end(), 0);
  for (const BlockHit& hit : found_) ++ends[hit.row];
  std::exclusive_scan(ends.begin(), ends.end(), ends.begin(), 0U);
  blockHits_.resize(found_.size());
  for (const BlockHit& hit : found_) blockHits_[ends[hit.row]++] = {hit.j, hit.c};
  // By insertion: each short leg's hit stays where it is after one
  // comparison, and each of the bucket's moves past the larger ones.
  SievedHit* const hits = blockHits_.data();
  std::uint32_t begin = 0;
  for (const std::uint32_t end : ends) {
    for (std::uint32_t n = begin + 1; n < end; ++n) {
      if (hits[n - 1].j < hits[n].j) continue;
      const SievedHit moving = hits[n];
      SievedHit* at = hits + n;
      do {
        *at = at[-1];
        --at;
      } while (at != hits + begin && moving.j < at[-1].j);
      *at = moving;
    }
    begin = end;
  }
  block_ = {first, ends, blockHits_};
}

std::span<const Hit> TripleSieve::next() {
  if (handedOut_ == block_.hits.size() && nextRow_ <= lastRow_) {
    sieveBlock();
    handedOut_ = 0;
    handedOutRow_ = 0;
  }
  const std::size_t end = std::min(block_.hits.size(), handedOut_ + kSliceHits);
  slice_.clear();
  for (; handedOut_ < end; ++handedOut_) {
    while (handedOut_ >= block_.rowEnds[handedOutRow_]) ++handedOutRow_;
    const SievedHit& hit = block_.hits[handedOut_];
    slice_.push_back({std::int64_t{block_.firstRow} + handedOutRow_, hit.j, hit.c});
  }
  return slice_;
}

}  // namespace search
