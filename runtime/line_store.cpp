#include "runtime/line_store.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "runtime/runtime_error.h"

namespace runtime {

void LineStore::reserveOneMore(std::size_t lineLength) {
  // Each vector makes room before its new element is allocated, so that a
  // failure leaves at most an unused offset block behind.
  if (lineCount_ / kOffsetsPerBlock == offsetBlocks_.size()) {
    offsetBlocks_.reserve(offsetBlocks_.size() + 1);
    offsetBlocks_.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(kOffsetsPerBlock));
  }
  if (chunks_.empty() || chunks_.back().capacity - chunks_.back().used < lineLength) {
    chunks_.reserve(chunks_.size() + 1);
    const std::size_t capacity = std::max(kTextChunkBytes, lineLength);
    chunks_.push_back({std::make_unique_for_overwrite<char[]>(capacity), capacity, 0, lineCount_});
  }
}

void LineStore::append(std::string_view line) {
  reserveOneMore(line.size());
  TextChunk& chunk = chunks_.back();
  std::memcpy(chunk.text.get() + chunk.used, line.data(), line.size());
  offsetBlocks_[lineCount_ / kOffsetsPerBlock][lineCount_ % kOffsetsPerBlock] = chunk.used;
  chunk.used += static_cast<std::uint32_t>(line.size());
  ++lineCount_;
}

void LineStore::clear() {
  chunks_.clear();
  chunks_.shrink_to_fit();
  offsetBlocks_.clear();
  offsetBlocks_.shrink_to_fit();
  lineCount_ = 0;
}

std::size_t LineStore::chunkOf(std::size_t index) const {
  const auto after = std::upper_bound(chunks_.begin(), chunks_.end(), index,
                                      [](std::size_t i, const TextChunk& c) { return i < c.firstLine; });
  return static_cast<std::size_t>(after - chunks_.begin()) - 1;
}

std::uint32_t LineStore::offsetOf(std::size_t index) const {
  return offsetBlocks_[index / kOffsetsPerBlock][index % kOffsetsPerBlock];
}

std::string_view LineStore::line(std::size_t index) const {
  const std::size_t chunkIndex = chunkOf(index);
  const TextChunk& chunk = chunks_[chunkIndex];
  const bool lastInChunk = chunkIndex + 1 == chunks_.size() ? index + 1 == lineCount_
                                                            : index + 1 == chunks_[chunkIndex + 1].firstLine;
  const std::uint32_t begin = offsetOf(index);
  const std::uint32_t end = lastInChunk ? chunk.used : offsetOf(index + 1);
  return {chunk.text.get() + begin, end - begin};
}

std::size_t LineStore::bytesReserved() const {
  std::size_t bytes =
      sizeof(*this) + chunks_.capacity() * sizeof(TextChunk) +
      offsetBlocks_.capacity() * (sizeof(offsetBlocks_[0]) + kOffsetsPerBlock * sizeof(std::uint32_t));
  for (const TextChunk& chunk : chunks_) bytes += chunk.capacity;
  return bytes;
}

void appendListLine(LineStore& lines, std::string_view line) {
  if (lines.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw RuntimeError("La liste est pleine : impossible d'ajouter une ligne.");
  }
  try {
    lines.append(line);
  } catch (const std::bad_alloc&) {
    throw RuntimeError("Mémoire insuffisante pour ajouter une ligne à la liste.");
  }
}

}  // namespace runtime
