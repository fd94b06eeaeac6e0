#pragma once

#include <cstdint>
#include <optional>

#include "picture/digit_font.h"

namespace picture {

// The sizes a picture may have, each side in pixels.
inline constexpr int kMinSide = 32;
inline constexpr int kMaxSide = 4096;
// Room on every side of the framed square for a label and a gap either side
// of it, so that the square stays centred.
inline constexpr int kLabelGap = 2;
inline constexpr int kMargin = kGlyphHeight + 2 * kLabelGap;

// A point of the image, x from the left and y from the top.
struct Pixel {
  int x;
  int y;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// Where the square of values [low, high]² of a search lies in an image of a
// size (each side from kMinSide to kMaxSide): as large as the image allows
// inside the margins and its frame, centred, i across and j up, the same
// scale on both axes. Each value owns an equal share of the side and lands
// on the pixel that holds the middle of its share. Exact integer arithmetic:
// values lie within ±2^32, the side below 2^13; a value's pixel is found by
// a multiplication with a fixed-point ratio and one integer correction, as
// millions of hits take this way.
class PlotSquare {
 public:
  // The square of the bounds, in either order.
  PlotSquare(std::int32_t lower, std::int32_t upper, int width, int height);

  [[nodiscard]] std::int64_t low() const { return low_; }
  [[nodiscard]] std::int64_t high() const { return high_; }
  // The square's first column and row, and its side, frame excluded.
  [[nodiscard]] int left() const { return left_; }
  [[nodiscard]] int top() const { return top_; }
  [[nodiscard]] int side() const { return static_cast<int>(side_); }
  // The pixel of the point (i, j); none outside the square.
  [[nodiscard]] std::optional<Pixel> pixelOf(std::int64_t i, std::int64_t j) const;
  // How far from the square's low end the value lands, 0 to side() - 1;
  // none outside [low, high].
  [[nodiscard]] std::optional<int> offsetOf(std::int64_t value) const {
    if (value < low_ || value > high_) return std::nullopt;
    // The middle of the value's share, (2 (value - low) + 1) / shares of the
    // side, rounded down: the fixed-point ratio never overstates it and falls
    // short of it by less than one pixel.
    const auto middle = 2 * static_cast<std::uint64_t>(value - low_) + 1;
    auto offset = (middle * ratio_) >> kRatioBits;
    if ((offset + 1) * shares_ <= middle * side_) ++offset;
    return static_cast<int>(offset);
  }

 private:
  // side / shares in fixed point, rounded down: times a middle (below
  // shares) it stays below side · 2^kRatioBits < 2^60.
  static constexpr int kRatioBits = 48;

  std::int64_t low_;
  std::int64_t high_;
  std::uint64_t shares_;  // twice the number of values: a value's middle is an odd half
  std::uint64_t side_;
  std::uint64_t ratio_;
  int left_;
  int top_;
};

}  // namespace picture
