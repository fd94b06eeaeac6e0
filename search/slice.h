#pragma once

#include <cstddef>

namespace search {

// The searches hand out their hits in slices, so that a caller regains
// control often: a slice ends once it holds kSliceHits hits (perhaps plus the
// rest of a row) or has covered kSliceRows rows, or, in the sieve, the rows
// of one of its blocks.
inline constexpr std::size_t kSliceHits = 4096;
inline constexpr std::size_t kSliceRows = 1024;

}  // namespace search
