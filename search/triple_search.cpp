#include "search/triple_search.h"

#include <utility>

namespace search {
namespace {

std::variant<DivisorSearch, TripleSieve> engineFor(std::int64_t lower, std::int64_t upper) {
  if (TripleSieve::covers(lower, upper)) return TripleSieve(lower, upper);
  return DivisorSearch(lower, upper);
}

}  // namespace

TripleSearch::TripleSearch(std::int32_t lower, std::int32_t upper)
    : lower_(lower), engine_(engineFor(lower, upper)) {}

std::span<const Hit> TripleSearch::next() {
  return std::visit([](auto& engine) { return engine.next(); }, engine_);
}

bool TripleSearch::finished() const {
  return std::visit([](const auto& engine) { return engine.finished(); }, engine_);
}

double TripleSearch::progress() const {
  const auto [nextRow, lastRow] = std::visit(
      [](const auto& engine) {
        return std::pair{engine.nextRow(), engine.lastRow()};
      },
      engine_);
  if (lastRow < lower_) return 1.0;
  return static_cast<double>(nextRow - lower_) / static_cast<double>(lastRow - lower_ + 1);
}

}  // namespace search
