#include "cli/hit_batches.h"

HitBatches::HitBatches(std::size_t count) : batches_(count) {}

std::vector<search::Hit>& HitBatches::toFill() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return filled_ - read_ < batches_.size() || stopped_; });
  std::vector<search::Hit>& batch = batches_[filled_ % batches_.size()];
  batch.clear();
  return batch;
}

bool HitBatches::handOver() {
  {
    const std::scoped_lock lock(mutex_);
    if (stopped_) return false;
    ++filled_;
  }
  changed_.notify_all();
  return true;
}

void HitBatches::finish(std::exception_ptr failure) {
  {
    const std::scoped_lock lock(mutex_);
    finished_ = true;
    failure_ = std::move(failure);
  }
  changed_.notify_all();
}

const std::vector<search::Hit>* HitBatches::toRead() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return read_ < filled_ || finished_; });
  if (read_ < filled_) return &batches_[read_ % batches_.size()];
  if (failure_) std::rethrow_exception(failure_);
  return nullptr;
}

void HitBatches::giveBack() {
  {
    const std::scoped_lock lock(mutex_);
    ++read_;
  }
  changed_.notify_all();
}

void HitBatches::stop() {
  {
    const std::scoped_lock lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}
