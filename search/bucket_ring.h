#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "search/slab.h"

namespace search {

// A ring of buckets, one for each of a fixed number of blocks in turn, whose
// elements live in chunks from one pool, so that memory follows what the
// buckets hold, not the most each has ever held.
template <typename Element>
class BucketRing {
 public:
  // At least this many buckets, a power of two of them.
  explicit BucketRing(std::size_t buckets) : heads_(std::bit_ceil(buckets), kNoChunk) {}

  // Adds to the bucket of block, which must lie within the ring's turn.
  void add(std::uint64_t block, const Element& element) {
    std::uint32_t& head = heads_[slotOf(block)];
    if (head == kNoChunk || chunkAt(head).count == Chunk::kCapacity) head = takeChunk(head);
    Chunk& chunk = chunkAt(head);
    chunk.entries[chunk.count++] = element;
  }

  // Empties the bucket of block, calling visit(element) for each of its
  // elements, which may add to the other buckets.
  template <typename Visit>
  void drain(std::uint64_t block, Visit visit) {
    std::uint32_t index = heads_[slotOf(block)];
    heads_[slotOf(block)] = kNoChunk;
    while (index != kNoChunk) {
      // A visit may add chunks to the pool, which leaves this one in place.
      Chunk& chunk = chunkAt(index);
      for (std::uint32_t entry = 0; entry < chunk.count; ++entry) visit(chunk.entries[entry]);
      const std::uint32_t next = chunk.next;
      chunk.next = freeChunks_;
      freeChunks_ = index;
      index = next;
    }
  }

 private:
  static constexpr std::uint32_t kNoChunk = UINT32_MAX;
  struct Chunk {
    static constexpr std::uint32_t kCapacity = 128;
    std::array<Element, kCapacity> entries;
    std::uint32_t count;
    std::uint32_t next;
  };

  // Chunks come in slabs (search/slab.h), as one allocation each costs more
  // than the entries of a chunk.
  static constexpr std::uint32_t kSlabChunks = kSlabBytes / sizeof(Chunk);

  Chunk& chunkAt(std::uint32_t index) { return slabs_[index / kSlabChunks][index % kSlabChunks]; }

  [[nodiscard]] std::size_t slotOf(std::uint64_t block) const {
    return static_cast<std::size_t>(block) & (heads_.size() - 1);
  }

  std::uint32_t takeChunk(std::uint32_t next) {
    std::uint32_t index = freeChunks_;
    if (index != kNoChunk) {
      freeChunks_ = chunkAt(index).next;
    } else {
      if (chunkCount_ == slabs_.size() * kSlabChunks) slabs_.push_back(makeSlab<Chunk>());
      index = chunkCount_++;
    }
    chunkAt(index).count = 0;
    chunkAt(index).next = next;
    return index;
  }

  std::vector<std::uint32_t> heads_;
  // Each slab on its own, so that its chunks stay in place as the pool grows.
  std::vector<Slab<Chunk>> slabs_;
  std::uint32_t chunkCount_ = 0;
  std::uint32_t freeChunks_ = kNoChunk;
};

}  // namespace search
