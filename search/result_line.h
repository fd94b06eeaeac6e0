#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "search/number_text.h"
#include "search/triple_search.h"

namespace search {

// Formats hits as result lines ("i j c", each number with its sign position,
// joined by single spaces) into a buffer of its own, so that writing millions
// of lines allocates nothing.
class ResultLine {
 public:
  // The returned text stays valid until the next call.
  std::string_view format(const Hit& hit);

 private:
  std::array<char, 3 * kMaxNumberText + 2> text_{};
};

// The two lines written when a search finds nothing.
inline constexpr std::string_view kNoResultLine = "pas de nombres";
std::string rangeLine(std::int32_t lower, std::int32_t upper);

}  // namespace search
