#pragma once

#include <cstdint>
#include <vector>

namespace search {

// The odd squarefree d up to a limit with their Möbius function μ(d), by
// which a count over pairs (m, n), coprime or not, becomes a count over
// coprime ones: a common factor of m and n of opposite parity is odd.
class OddMobius {
 public:
  struct Term {
    std::int64_t square;  // d²
    int mobius;           // μ(d), 1 or -1
  };

  explicit OddMobius(std::int64_t limit);

  // Every odd squarefree d <= limit, ascending.
  [[nodiscard]] const std::vector<Term>& terms() const { return terms_; }

  // The number of q in [1, x] whose odd part is squarefree:
  // Σ over odd d with d² <= x of μ(d) · floor(x / d²), for x <= limit².
  [[nodiscard]] std::int64_t oddSquarefreeUpTo(std::int64_t x) const;

 private:
  std::vector<Term> terms_;
};

}  // namespace search
