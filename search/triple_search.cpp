#include "search/triple_search.h"

#include <algorithm>

namespace search {
namespace {

std::variant<DivisorSearch, TripleSieve> engineFor(std::int64_t lower, std::int64_t upper) {
  if (lower > 0 && upper <= TripleSieve::kMaxUpper) return TripleSieve(lower, upper);
  return DivisorSearch(lower, upper);
}

}  // namespace

TripleSearch::TripleSearch(std::int32_t lower, std::int32_t upper)
    : lower_(lower),
      // With a positive lower bound, j starts above i + lower, past the upper
      // bound once i > upper - lower; with lower <= 0 every row has j = i.
      lastRow_(lower > 0 ? std::min<std::int64_t>(upper, std::int64_t{upper} - lower) : upper),
      engine_(engineFor(lower, upper)) {}

std::span<const Hit> TripleSearch::next() {
  return std::visit([](auto& engine) { return engine.next(); }, engine_);
}

bool TripleSearch::finished() const {
  return std::visit([](const auto& engine) { return engine.finished(); }, engine_);
}

double TripleSearch::progress() const {
  if (lastRow_ < lower_) return 1.0;
  const std::int64_t nextRow = std::visit([](const auto& engine) { return engine.nextRow(); }, engine_);
  return static_cast<double>(std::min(nextRow, lastRow_ + 1) - lower_) /
         static_cast<double>(lastRow_ - lower_ + 1);
}

}  // namespace search
