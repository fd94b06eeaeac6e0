#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <vector>

#include "search/hit.h"

// A ring of batches of hits handed from one thread, which fills them in
// order, to another, which reads them in the same order. Either side waits
// while the other holds every batch. The reader may stop early; the filler
// then learns it when it hands over its next batch. A filler that fails hands
// its error over to the reader, after the batches it filled.
class HitBatches {
 public:
  explicit HitBatches(std::size_t count);

  // Filler: an emptied batch to fill, and the handing over of that batch.
  // Returns false once the reader has stopped.
  std::vector<search::Hit>& toFill();
  bool handOver();
  // Filler: there are no more batches; failure is the error that ended the
  // filling, if one did.
  void finish(std::exception_ptr failure = nullptr);

  // Reader: the next batch, or nullptr once all are read, or the filler's
  // error rethrown once all it filled are read; then giving the batch back.
  const std::vector<search::Hit>* toRead();
  void giveBack();
  // Reader: no more batches are wanted.
  void stop();

 private:
  std::vector<std::vector<search::Hit>> batches_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t filled_ = 0;  // batches handed over so far
  std::size_t read_ = 0;    // batches given back so far
  bool finished_ = false;
  std::exception_ptr failure_;
  bool stopped_ = false;
};
