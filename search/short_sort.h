#pragma once

#include <algorithm>
#include <cstddef>
#include <span>

namespace search {

// Sorts a run of elements that is usually short: by insertion, which beats
// std::sort on the handful that most runs hold, and by std::sort past that.
template <typename Element, typename Less>
void sortShortRun(std::span<Element> run, Less less) {
  constexpr std::size_t kFew = 16;
  if (run.size() > kFew) {
    std::sort(run.begin(), run.end(), less);
    return;
  }
  for (std::size_t n = 1; n < run.size(); ++n) {
    const Element moving = run[n];
    std::size_t at = n;
    for (; at > 0 && less(moving, run[at - 1]); --at) run[at] = run[at - 1];
    run[at] = moving;
  }
}

}  // namespace search
