#pragma once

#include <array>
#include <cmath>
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
  // The longest hypotenuse, the integer square root of 2 · upper², so that
  // each child costs one comparison and no 64-bit multiplication of h.
  const std::uint64_t maxSquare = 2 * static_cast<std::uint64_t>(upper * upper);
  auto maxHypotenuse = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(maxSquare)));
  while (maxHypotenuse * maxHypotenuse > maxSquare) --maxHypotenuse;
  while ((maxHypotenuse + 1) * (maxHypotenuse + 1) <= maxSquare) ++maxHypotenuse;
  std::vector<std::array<std::uint32_t, 2>> pending{{2, 1}};
  while (!pending.empty()) {
    const auto [m, n] = pending.back();
    pending.pop_back();
    visit(m, n);
    for (const auto& [childM, childN] :
         {std::array{2 * m - n, m}, std::array{2 * m + n, m}, std::array{m + 2 * n, n}}) {
      const std::uint64_t h = std::uint64_t{childM} * childM + std::uint64_t{childN} * childN;
      if (h <= maxHypotenuse) pending.push_back({childM, childN});
    }
  }
}

}  // namespace search
