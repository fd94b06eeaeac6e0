#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace runtime {

// The lines of a long list, kept compactly: the text of the lines back to back
// in large chunks that never move once allocated, and where each line starts as
// a 32-bit offset into its chunk, the offsets in blocks of their own. A line
// costs its length plus four bytes; nothing is ever reallocated and copied.
class LineStore {
 public:
  // Chunk sizes; a line longer than a text chunk gets a chunk of its own size.
  static constexpr std::size_t kTextChunkBytes = std::size_t{1} << 20;
  static constexpr std::size_t kOffsetsPerBlock = std::size_t{1} << 16;

  // Adds a line after the last one. Throws std::bad_alloc when memory runs
  // out, and then the store is as it was.
  void append(std::string_view line);
  void clear();

  [[nodiscard]] std::size_t size() const { return lineCount_; }
  [[nodiscard]] bool empty() const { return lineCount_ == 0; }
  // The line stays valid until clear().
  [[nodiscard]] std::string_view line(std::size_t index) const;
  // The memory the store holds, its own bookkeeping included.
  [[nodiscard]] std::size_t bytesReserved() const;

 private:
  struct TextChunk {
    std::unique_ptr<char[]> text;
    std::size_t capacity = 0;
    std::uint32_t used = 0;
    std::size_t firstLine = 0;  // index of the first line stored in this chunk
  };

  [[nodiscard]] std::size_t chunkOf(std::size_t index) const;
  [[nodiscard]] std::uint32_t offsetOf(std::size_t index) const;
  void reserveOneMore(std::size_t lineLength);

  std::vector<TextChunk> chunks_;
  std::vector<std::unique_ptr<std::uint32_t[]>> offsetBlocks_;
  std::size_t lineCount_ = 0;
};

// Adds a line to the lines of a list control, which counts its rows in an int:
// a full list or a lack of memory is a runtime error, in French, and the lines
// are as they were.
void appendListLine(LineStore& lines, std::string_view line);

}  // namespace runtime
