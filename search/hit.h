#pragma once

#include <cstdint>

namespace search {

// One pair (i, j) with i² + j² = c². j reaches -2^32 and c passes 2^32 at the
// extremes of the 32-bit bounds, hence 64 bits throughout.
struct Hit {
  std::int64_t i;
  std::int64_t j;
  std::int64_t c;
  friend bool operator==(const Hit&, const Hit&) = default;
};

}  // namespace search
