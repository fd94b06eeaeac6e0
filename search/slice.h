#pragma once

#include <cstddef>

namespace search {

// The search hands out its hits in slices of at most kSliceHits, and each
// call does a bounded amount of work (a block of rows at most), so that a
// caller regains control often.
inline constexpr std::size_t kSliceHits = 4096;

}  // namespace search
