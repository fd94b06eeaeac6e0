#include "search/triple_sieve.h"

#include <algorithm>
#include <array>
#include <numeric>

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

// One stable pass of a radix sort: hands each hit, in order, its place among
// the hits ordered by key(hit), which is below starts.size() - 1.
template <typename Element, typename Key, typename Place>
void countingSort(std::span<const Element> elements, std::span<std::uint32_t> starts, Key key, Place place) {
  std::fill(starts.begin(), starts.end(), 0);
  for (const Element& element : elements) ++starts[key(element) + 1];
  std::partial_sum(starts.begin(), starts.end(), starts.begin());
  for (const Element& element : elements) place(starts[key(element)]++, element);
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
      rowStarts_(kBlockRows + 1) {
  if (finished()) return;
  bucketHeads_.assign(blockOf(static_cast<std::uint64_t>(lastRow_)) + 1, kNoChunk);
  // About 0.18 · upper triples fit; reserving leaves the pool in place.
  chunks_.reserve(static_cast<std::size_t>(upper / 5) / Chunk::kCapacity + bucketHeads_.size());
  // Every primitive triple comes once from the tree of coprime m > n of
  // opposite parity rooted at (2, 1), whose children are (2m - n, m),
  // (2m + n, m) and (m + 2n, n). A child's hypotenuse is longer, so a branch
  // ends once h² > 2 · upper², where both legs can no longer fit under upper.
  const std::int64_t maxSquare = 2 * upper * upper;
  std::vector<std::array<std::uint32_t, 2>> pending{{2, 1}};
  while (!pending.empty()) {
    const auto [m, n] = pending.back();
    pending.pop_back();
    addPrimitive(m, n);
    for (const auto& [childM, childN] :
         {std::array{2 * m - n, m}, std::array{2 * m + n, m}, std::array{m + 2 * n, n}}) {
      const std::int64_t h = std::int64_t{childM} * childM + std::int64_t{childN} * childN;
      if (h * h <= maxSquare) pending.push_back({childM, childN});
    }
  }
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
    addToBucket({packedM, packedN, static_cast<std::uint16_t>(kFirst)}, std::uint64_t{kFirst} * s);
  }
}

void TripleSieve::addToBucket(const LongMultiples& multiples, std::uint64_t row) {
  std::uint32_t& head = bucketHeads_[blockOf(row)];
  if (head == kNoChunk || chunks_[head].count == Chunk::kCapacity) head = takeChunk(head);
  Chunk& chunk = chunks_[head];
  chunk.entries[chunk.count++] = multiples;
}

std::size_t TripleSieve::blockOf(std::uint64_t row) const {
  return static_cast<std::size_t>((row - static_cast<std::uint64_t>(lower_)) / kBlockRows);
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
  const auto first = static_cast<std::uint64_t>(nextRow_);
  const auto rows = static_cast<std::uint32_t>(std::min<std::int64_t>(kBlockRows, lastRow_ - nextRow_ + 1));
  unsorted_.clear();
  handOutShortLegs(first, first + rows);
  handOutBucket(first);
  sortBlock(rows);
  nextRow_ += rows;
  blockHits_ = {sorted_.get(), unsorted_.size()};
}

// Every multiple in the block of each triple shorter than a block. Triples
// past upper leave the list.
void TripleSieve::handOutShortLegs(std::uint64_t first, std::uint64_t end) {
  const auto upper = static_cast<std::uint64_t>(upper_);
  std::size_t kept = 0;
  for (ShortMultiples multiples : shortLegs_) {
    const auto [s, t, h] = tripleOf(multiples.m, multiples.n);
    std::uint64_t row = std::uint64_t{multiples.k} * s;
    std::uint64_t j = std::uint64_t{multiples.k} * t;
    for (; row < end && j <= upper; row += s, j += t, ++multiples.k) {
      unsorted_.push_back(
          {static_cast<std::uint32_t>(row - first), static_cast<std::uint32_t>(j), multiples.k * h});
    }
    if (j <= upper) shortLegs_[kept++] = multiples;
  }
  shortLegs_.resize(kept);
}

// The one multiple in the block of each triple waiting in its bucket, which
// then waits in the bucket of its next multiple.
void TripleSieve::handOutBucket(std::uint64_t first) {
  const auto upper = static_cast<std::uint64_t>(upper_);
  std::uint32_t index = bucketHeads_[blockOf(first)];
  while (index != kNoChunk) {
    const std::uint32_t count = chunks_[index].count;
    for (std::uint32_t entry = 0; entry < count; ++entry) {
      LongMultiples multiples = chunks_[index].entries[entry];
      const auto [s, t, h] = tripleOf(multiples.m, multiples.n);
      const std::uint64_t row = std::uint64_t{multiples.k} * s;
      unsorted_.push_back({static_cast<std::uint32_t>(row - first), multiples.k * t, multiples.k * h});
      ++multiples.k;
      if (std::uint64_t{multiples.k} * t <= upper) addToBucket(multiples, row + s);
    }
    const std::uint32_t next = chunks_[index].next;
    chunks_[index].next = freeChunks_;
    freeChunks_ = index;
    index = next;
  }
}

// Orders the block's hits by row and then j with a radix sort: three stable
// passes on the bytes of j, then one on the row, straight into the hits.
void TripleSieve::sortBlock(std::uint32_t rows) {
  static_assert(kMaxUpper < std::int64_t{1} << 24, "j has three bytes");
  constexpr std::uint32_t kByteValues = 256;
  std::array<std::uint32_t, kByteValues + 1> byteStarts{};
  spare_.resize(unsorted_.size());
  std::span<BlockHit> from(unsorted_);
  std::span<BlockHit> to(spare_);
  for (std::uint32_t shift = 0; shift < 24; shift += 8) {
    countingSort<BlockHit>(
        from, byteStarts, [shift](const BlockHit& hit) { return (hit.j >> shift) & (kByteValues - 1); },
        [to](std::uint32_t place, const BlockHit& hit) { to[place] = hit; });
    std::swap(from, to);
  }
  if (sortedCapacity_ < unsorted_.size()) {
    sortedCapacity_ = std::max(unsorted_.size(), 2 * sortedCapacity_);
    sorted_ = std::make_unique_for_overwrite<Hit[]>(sortedCapacity_);
  }
  countingSort<BlockHit>(
      from, std::span(rowStarts_).first(rows + 1), [](const BlockHit& hit) { return hit.row; },
      [this](std::uint32_t place, const BlockHit& hit) {
        sorted_[place] = {nextRow_ + hit.row, hit.j, hit.c};
      });
}

}  // namespace search
