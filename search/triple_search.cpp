#include "search/triple_search.h"

#include <algorithm>

#include "search/slice.h"
#include "search/triple_arithmetic.h"

namespace search {
namespace {

// With a positive lower bound, j starts above i + lower, past the upper
// bound once i > upper - lower; with lower <= 0 every row has j = i.
std::int64_t lastRowOf(std::int32_t lower, std::int32_t upper) {
  return lower > 0 ? std::min<std::int64_t>(upper, std::int64_t{upper} - lower) : upper;
}

bool hasPositiveRows(std::int32_t lower, std::int32_t upper) {
  return lastRowOf(lower, upper) >= std::max(lower, 1);
}

std::variant<std::monostate, RowSieve, TripleSieve> positiveRowsOf(std::int32_t lower, std::int32_t upper) {
  if (!hasPositiveRows(lower, upper)) return {};
  if (TripleSieve::covers(lower, upper)) return TripleSieve(lower, upper);
  return RowSieve(lower, upper, +1);
}

}  // namespace

TripleSearch::TripleSearch(std::int32_t lower, std::int32_t upper)
    : lower_(lower),
      upper_(upper),
      lastRow_(lastRowOf(lower, upper)),
      zeroRowJ_(lower),
      inZeroRow_(lower <= 0 && upper >= 0) {
  if (lower <= -1) negativeRows_.emplace(lower, upper, -1);
}

void TripleSearch::next(FoundHits& found) {
  found.clear();
  if (negativeRows_ && negativeRows_->finished()) negativeRows_.reset();
  if (negativeRows_) {
    negativeRows_->nextBlock(found.block);
    return;
  }
  if (inZeroRow_) {
    nextOfZeroRow(found.hits);
    return;
  }
  if (!positiveRowsMade_) {
    positiveRows_ = positiveRowsOf(static_cast<std::int32_t>(lower_), static_cast<std::int32_t>(upper_));
    positiveRowsMade_ = true;
  }
  if (auto* sieve = std::get_if<TripleSieve>(&positiveRows_); sieve != nullptr && !sieve->finished()) {
    const std::span<const Hit> slice = sieve->next();
    found.hits.assign(slice.begin(), slice.end());
  } else if (auto* rows = std::get_if<RowSieve>(&positiveRows_); rows != nullptr && !rows->finished()) {
    rows->nextBlock(found.block);
  }
}

std::span<const Hit> TripleSearch::next() {
  if (left_.empty()) {
    next(piece_);
    pieceHits_.clear();
    forEachHit(piece_, [this](const Hit& hit) { pieceHits_.push_back(hit); });
    left_ = pieceHits_;
  }
  // A block, of any size, goes out a slice at a time.
  const std::span<const Hit> slice = left_.first(std::min(left_.size(), kSliceHits));
  left_ = left_.subspan(slice.size());
  return slice;
}

// 0² + j² = |j|²: every j of the row i = 0 is a hit, up to 2^32 of them, so
// this row is handed out a slice at a time.
void TripleSearch::nextOfZeroRow(std::vector<Hit>& hits) {
  for (; hits.size() < kSliceHits && zeroRowJ_ <= upper_; ++zeroRowJ_) {
    hits.push_back({0, zeroRowJ_, static_cast<std::int64_t>(magnitude(zeroRowJ_))});
  }
  inZeroRow_ = zeroRowJ_ <= upper_;
}

bool TripleSearch::finished() const {
  if (!left_.empty() || inZeroRow_) return false;
  if (negativeRows_ && !negativeRows_->finished()) return false;
  if (!positiveRowsMade_)
    return !hasPositiveRows(static_cast<std::int32_t>(lower_), static_cast<std::int32_t>(upper_));
  return std::visit(
      [](const auto& rows) {
        if constexpr (std::is_same_v<std::decay_t<decltype(rows)>, std::monostate>) {
          return true;
        } else {
          return rows.finished();
        }
      },
      positiveRows_);
}

double TripleSearch::progress() const {
  if (lastRow_ < lower_ || finished()) return 1.0;
  std::int64_t nextRow = 0;
  if (negativeRows_ && !negativeRows_->finished()) {
    nextRow = negativeRows_->nextRow();
  } else if (const auto* rows = std::get_if<RowSieve>(&positiveRows_); rows != nullptr && !inZeroRow_) {
    nextRow = rows->nextRow();
  } else if (const auto* sieve = std::get_if<TripleSieve>(&positiveRows_); sieve != nullptr) {
    nextRow = sieve->nextRow();
  }
  return static_cast<double>(nextRow - lower_) / static_cast<double>(lastRow_ - lower_ + 1);
}

}  // namespace search
