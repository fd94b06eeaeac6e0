#include "picture/plot_square.h"

#include <algorithm>

namespace picture {
namespace {

// The square's side: what the smaller side of the image leaves inside the
// margins and the frame.
int sideIn(int width, int height) { return std::min(width, height) - 2 * kMargin - 2; }

}  // namespace

PlotSquare::PlotSquare(std::int32_t lower, std::int32_t upper, int width, int height)
    : low_(std::min(lower, upper)),
      high_(std::max(lower, upper)),
      shares_(2 * static_cast<std::uint64_t>(high_ - low_ + 1)),
      side_(static_cast<std::uint64_t>(sideIn(width, height))),
      ratio_((side_ << kRatioBits) / shares_),
      left_((width - sideIn(width, height)) / 2),
      top_((height - sideIn(width, height)) / 2) {}

std::optional<Pixel> PlotSquare::pixelOf(std::int64_t i, std::int64_t j) const {
  const auto across = offsetOf(i);
  const auto up = offsetOf(j);
  if (!across || !up) return std::nullopt;
  return Pixel{left_ + *across, top_ + side() - 1 - *up};
}

}  // namespace picture
