#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace search {

// Calls visit(m, n) for every primitive triple (m² - n², 2mn, m² + n²) whose
// legs may both fit under upper, each once, and for a few more. They come
// from the tree of coprime m > n of opposite parity rooted at (2, 1), whose
// children are (2m - n, m), (2m + n, m) and (m + 2n, n). A child's hypotenuse
// is longer, so a branch ends once h² > 2 · upper², where both legs can no
// longer fit under upper. m stays below 2^17 for any 32-bit upper.
template <typename Visit>
void forEachPrimitiveTriple(std::int64_t upper, Visit visit) {
  const std::int64_t maxSquare = 2 * upper * upper;
  std::vector<std::array<std::uint32_t, 2>> pending{{2, 1}};
  while (!pending.empty()) {
    const auto [m, n] = pending.back();
    pending.pop_back();
    visit(m, n);
    for (const auto& [childM, childN] :
         {std::array{2 * m - n, m}, std::array{2 * m + n, m}, std::array{m + 2 * n, n}}) {
      const std::int64_t h = std::int64_t{childM} * childM + std::int64_t{childN} * childN;
      if (h * h <= maxSquare) pending.push_back({childM, childN});
    }
  }
}

}  // namespace search
