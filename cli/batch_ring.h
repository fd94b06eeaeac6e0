#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <vector>

// A ring of batches handed from one thread, which fills them in order, to
// another, which reads them in the same order. Either side waits while the
// other holds every batch. The reader may stop early; the filler then learns
// it when it hands over its next batch. A filler that fails hands its error
// over to the reader, after the batches it filled. A Batch has clear().
template <typename Batch>
class BatchRing {
 public:
  explicit BatchRing(std::size_t count) : batches_(count) {}

  // Filler: an emptied batch to fill, and the handing over of that batch.
  // Returns false once the reader has stopped.
  Batch& toFill() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return filled_ - read_ < batches_.size() || stopped_; });
    Batch& batch = batches_[filled_ % batches_.size()];
    batch.clear();
    return batch;
  }
  bool handOver() {
    {
      const std::scoped_lock lock(mutex_);
      if (stopped_) return false;
      ++filled_;
    }
    changed_.notify_all();
    return true;
  }
  // Filler: there are no more batches; failure is the error that ended the
  // filling, if one did.
  void finish(std::exception_ptr failure = nullptr) {
    {
      const std::scoped_lock lock(mutex_);
      finished_ = true;
      failure_ = std::move(failure);
    }
    changed_.notify_all();
  }

  // Reader: the next batch, or nullptr once all are read, or the filler's
  // error rethrown once all it filled are read; then giving the batch back.
  const Batch* toRead() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return read_ < filled_ || finished_; });
    if (read_ < filled_) return &batches_[read_ % batches_.size()];
    if (failure_) std::rethrow_exception(failure_);
    return nullptr;
  }
  void giveBack() {
    {
      const std::scoped_lock lock(mutex_);
      ++read_;
    }
    changed_.notify_all();
  }
  // Reader: no more batches are wanted.
  void stop() {
    {
      const std::scoped_lock lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
  }

 private:
  std::vector<Batch> batches_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t filled_ = 0;  // batches handed over so far
  std::size_t read_ = 0;    // batches given back so far
  bool finished_ = false;
  std::exception_ptr failure_;
  bool stopped_ = false;
};
