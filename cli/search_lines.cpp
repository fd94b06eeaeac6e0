#include "cli/search_lines.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "cli/hit_batches.h"
#include "search/primitive.h"
#include "search/result_line.h"
#include "search/triple_search.h"

namespace {

// Enough batches for either thread to run ahead of the other a while; small
// enough batches to stay in the caches.
constexpr std::size_t kBatches = 8;
constexpr std::size_t kBatchHits = 8192;

void findHits(std::int32_t lower, std::int32_t upper, search::Hits kept, HitBatches& batches) {
  try {
    search::TripleSearch search(lower, upper);
    while (!search.finished()) {
      std::vector<search::Hit>& batch = batches.toFill();
      while (batch.size() < kBatchHits && !search.finished()) {
        const auto hits = search.next();
        if (kept == search::Hits::All) {
          batch.insert(batch.end(), hits.begin(), hits.end());
        } else {
          std::copy_if(hits.begin(), hits.end(), std::back_inserter(batch), search::isPrimitive);
        }
      }
      if (!batches.handOver()) break;
    }
  } catch (...) {  // memory, most likely: the writing thread reports it
    batches.finish(std::current_exception());
    return;
  }
  batches.finish();
}

// Formats the lines straight into one buffer, written out whenever it may
// not hold another line.
class LineBuffer {
 public:
  explicit LineBuffer(std::FILE* out) : out_(out), text_(std::make_unique_for_overwrite<char[]>(kSize)) {}
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;
  LineBuffer(LineBuffer&&) = delete;
  LineBuffer& operator=(LineBuffer&&) = delete;
  ~LineBuffer() = default;

  // Returns false once writing has failed.
  bool add(const search::Hit& hit) {
    end_ = line_.write(hit, end_);
    *end_++ = '\n';
    return end_ <= full_ || flush();
  }
  bool flush() {
    std::fwrite(text_.get(), 1, static_cast<std::size_t>(end_ - text_.get()), out_);
    end_ = text_.get();
    return std::ferror(out_) == 0;
  }

 private:
  static constexpr std::size_t kSize = std::size_t{1} << 16;
  std::FILE* out_;
  std::unique_ptr<char[]> text_;
  char* end_ = text_.get();
  const char* full_ = text_.get() + kSize - (search::kMaxLineText + 1);
  search::ResultLine line_;
};

}  // namespace

std::int64_t writeSearchLines(std::int32_t lower, std::int32_t upper, search::Hits hits, std::FILE* out) {
  HitBatches batches(kBatches);
  const std::jthread searching(findHits, lower, upper, hits, std::ref(batches));
  // However this ends, the search stops before it is joined.
  const std::unique_ptr<HitBatches, decltype([](HitBatches* b) { b->stop(); })> stopSearch(&batches);
  LineBuffer buffer(out);
  std::int64_t written = 0;
  bool writing = true;
  while (const std::vector<search::Hit>* batch = writing ? batches.toRead() : nullptr) {
    for (const search::Hit& hit : *batch) writing = buffer.add(hit) && writing;
    written += static_cast<std::int64_t>(batch->size());
    batches.giveBack();
  }
  buffer.flush();
  return written;
}
