#include "search/triple_sieve.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "search/primitive_triples.h"
#include "search/short_sort.h"
#include "search/slice.h"

namespace search {
namespace {

constexpr auto kBlockRows = static_cast<std::uint32_t>(kSliceRows);
constexpr std::uint32_t kNoChunk = UINT32_MAX;

std::uint32_t ceilDiv(std::uint32_t numerator, std::uint32_t denominator) {
  return (numerator + denominator - 1) / denominator;
}

// The legs, shorter one first, and hypotenuse of a primitive triple.
struct Triple {
  std::uint32_t s;
  std::uint32_t t;
  std::uint32_t h;
};

// A stable counting sort of a block's hits by row into byRow; ends[row]
// becomes one past the row's last hit there.
template <typename BlockHit>
std::span<const std::uint32_t> sortByRow(std::span<const BlockHit> hits, std::vector<BlockHit>& byRow,
                                         std::span<std::uint32_t> ends) {
  std::fill(ends.begin(), ends.end(), 0);
  for (const BlockHit& hit : hits) ++ends[hit.row];
  std::exclusive_scan(ends.begin(), ends.end(), ends.begin(), 0U);
  byRow.resize(hits.size());
  for (const BlockHit& hit : hits) byRow[ends[hit.row]++] = hit;
  return ends;
}

Triple tripleOf(std::uint32_t m, std::uint32_t n) {
  const std::uint32_t odd = m * m - n * n;
  const std::uint32_t even = 2 * m * n;
  return {std::min(odd, even), std::max(odd, even), m * m + n * n};
}

}  // namespace

TripleSieve::TripleSieve(std::int64_t lower, std::int64_t upper)
    : lower_(lower),
      upper_(upper),
      nextRow_(lower),
      lastRow_(upper - lower),
      freeChunks_(kNoChunk),
      shortRowEnds_(kBlockRows),
      bucketRowEnds_(kBlockRows) {
  if (finished()) return;
  bucketHeads_.assign(blockOf(static_cast<std::uint32_t>(lastRow_)) + 1, kNoChunk);
  // About 0.18 · upper triples fit; reserving leaves the pool in place.
  chunks_.reserve(static_cast<std::size_t>(upper / 5) / Chunk::kCapacity + bucketHeads_.size());
  forEachPrimitiveTriple(upper, [this](std::uint32_t m, std::uint32_t n) { addPrimitive(m, n); });
  // In a row i, the multiple of (s, t) has j = i · t / s: in the ascending
  // order of t / s, the triples give the hits of each row in loop order.
  std::sort(shortLegs_.begin(), shortLegs_.end(), [](const ShortMultiples& a, const ShortMultiples& b) {
    const Triple x = tripleOf(a.m, a.n);
    const Triple y = tripleOf(b.m, b.n);
    return std::uint64_t{x.t} * y.s < std::uint64_t{y.t} * x.s;
  });
}

// Keeps the multiples k · (s, t, h) that are hits: row k · s from lower on,
// j = k · t at most upper, and j - i = k · (t - s) at least lower.
void TripleSieve::addPrimitive(std::uint32_t m, std::uint32_t n) {
  const auto [s, t, h] = tripleOf(m, n);
  const auto lower = static_cast<std::uint32_t>(lower_);
  // Divisions are slow and, with a small lower bound, seldom needed.
  const std::uint32_t kFirst =
      s >= lower && t - s >= lower ? 1 : std::max(ceilDiv(lower, s), ceilDiv(lower, t - s));
  if (std::uint64_t{kFirst} * t > static_cast<std::uint64_t>(upper_)) return;
  const auto packedM = static_cast<std::uint16_t>(m);
  const auto packedN = static_cast<std::uint16_t>(n);
  if (s < kBlockRows) {
    shortLegs_.push_back({packedM, packedN, kFirst});
  } else {
    addToBucket({packedM, packedN, static_cast<std::uint16_t>(kFirst)}, kFirst * s);
  }
}

void TripleSieve::addToBucket(const LongMultiples& multiples, std::uint32_t row) {
  std::uint32_t& head = bucketHeads_[blockOf(row)];
  if (head == kNoChunk || chunks_[head].count == Chunk::kCapacity) head = takeChunk(head);
  Chunk& chunk = chunks_[head];
  chunk.entries[chunk.count++] = multiples;
}

std::size_t TripleSieve::blockOf(std::uint32_t row) const {
  return (row - static_cast<std::uint32_t>(lower_)) / kBlockRows;
}

std::uint32_t TripleSieve::takeChunk(std::uint32_t next) {
  std::uint32_t index = freeChunks_;
  if (index != kNoChunk) {
    freeChunks_ = chunks_[index].next;
  } else {
    index = static_cast<std::uint32_t>(chunks_.size());
    chunks_.emplace_back();
  }
  chunks_[index].count = 0;
  chunks_[index].next = next;
  return index;
}

std::span<const Hit> TripleSieve::next() {
  if (blockHits_.empty() && nextRow_ <= lastRow_) sieveBlock();
  const auto slice = blockHits_.first(std::min(blockHits_.size(), kSliceHits));
  blockHits_ = blockHits_.subspan(slice.size());
  return slice;
}

// Finds and orders the hits of the next block of rows.
void TripleSieve::sieveBlock() {
  const auto first = static_cast<std::uint32_t>(nextRow_);
  const auto rows = static_cast<std::uint32_t>(std::min<std::int64_t>(kBlockRows, lastRow_ - nextRow_ + 1));
  shortHits_.clear();
  bucketHits_.clear();
  handOutShortLegs(first, first + rows);
  handOutBucket(first);
  sortBlock(rows);
  nextRow_ += rows;
  blockHits_ = {sorted_.get(), shortHits_.size() + bucketHits_.size()};
}

// Every multiple in the block of each triple shorter than a block. Triples
// past upper leave the list.
void TripleSieve::handOutShortLegs(std::uint32_t first, std::uint32_t end) {
  const auto upper = static_cast<std::uint32_t>(upper_);
  std::size_t kept = 0;
  for (ShortMultiples multiples : shortLegs_) {
    const auto [s, t, h] = tripleOf(multiples.m, multiples.n);
    std::uint32_t row = multiples.k * s;
    std::uint32_t j = multiples.k * t;
    for (; row < end && j <= upper; row += s, j += t, ++multiples.k) {
      shortHits_.push_back({row - first, j, multiples.k * h});
    }
    if (j <= upper) shortLegs_[kept++] = multiples;
  }
  shortLegs_.resize(kept);
}

// The one multiple in the block of each triple waiting in its bucket, which
// then waits in the bucket of its next multiple.
void TripleSieve::handOutBucket(std::uint32_t first) {
  const auto upper = static_cast<std::uint32_t>(upper_);
  std::uint32_t index = bucketHeads_[blockOf(first)];
  while (index != kNoChunk) {
    const std::uint32_t count = chunks_[index].count;
    for (std::uint32_t entry = 0; entry < count; ++entry) {
      LongMultiples multiples = chunks_[index].entries[entry];
      const auto [s, t, h] = tripleOf(multiples.m, multiples.n);
      const std::uint32_t row = multiples.k * s;
      bucketHits_.push_back({row - first, multiples.k * t, multiples.k * h});
      ++multiples.k;
      if (multiples.k * t <= upper) addToBucket(multiples, row + s);
    }
    const std::uint32_t next = chunks_[index].next;
    chunks_[index].next = freeChunks_;
    freeChunks_ = index;
    index = next;
  }
}

// Orders the block's hits by row and then j. A stable counting sort by row
// keeps the short legs' hits of each row in loop order; the bucket's few hits
// in a row are sorted and merged with them, straight into the hits.
void TripleSieve::sortBlock(std::uint32_t rows) {
  const auto shortEnds = sortByRow<BlockHit>(shortHits_, shortByRow_, std::span(shortRowEnds_).first(rows));
  const auto bucketEnds =
      sortByRow<BlockHit>(bucketHits_, bucketByRow_, std::span(bucketRowEnds_).first(rows));
  const std::size_t count = shortHits_.size() + bucketHits_.size();
  if (sortedCapacity_ < count) {
    sortedCapacity_ = std::max(count, 2 * sortedCapacity_);
    sorted_ = std::make_unique_for_overwrite<Hit[]>(sortedCapacity_);
  }
  Hit* out = sorted_.get();
  std::uint32_t shortAt = 0;
  std::uint32_t bucketAt = 0;
  for (std::uint32_t row = 0; row < rows; ++row) {
    const std::uint32_t shortEnd = shortEnds[row];
    const std::uint32_t bucketEnd = bucketEnds[row];
    sortShortRun(std::span(bucketByRow_).subspan(bucketAt, bucketEnd - bucketAt),
                 [](const BlockHit& a, const BlockHit& b) { return a.j < b.j; });
    const std::int64_t i = nextRow_ + row;
    while (shortAt < shortEnd || bucketAt < bucketEnd) {
      const bool fromShort =
          bucketAt == bucketEnd || (shortAt < shortEnd && shortByRow_[shortAt].j < bucketByRow_[bucketAt].j);
      const BlockHit& hit = fromShort ? shortByRow_[shortAt++] : bucketByRow_[bucketAt++];
      *out++ = {i, hit.j, hit.c};
    }
  }
}

}  // namespace search
