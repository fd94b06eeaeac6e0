#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "picture/raster.h"

namespace picture {

// The points of a list of hits kept for drawing at any size, as a window's
// picture is drawn again whenever the window is resized. Only the points
// inside the square of the bounds can show, and there both coordinates fit
// 32 bits: 8 bytes a point. They are kept in blocks that never move, each
// twice as large as the one before up to 2 MB, so that millions of points
// are never copied, and a large list's blocks go back to the system whole.
class PointCloud {
 public:
  PointCloud(std::int32_t lower, std::int32_t upper);

  void add(std::int64_t i, std::int64_t j);
  // How many points were added, those that cannot show included.
  [[nodiscard]] std::int64_t points() const { return points_; }
  [[nodiscard]] std::int32_t lower() const { return lower_; }
  [[nodiscard]] std::int32_t upper() const { return upper_; }
  // The picture of the points at a size, each side from kMinSide to kMaxSide:
  // the same pixels as a TriplePicture fed the same hits.
  [[nodiscard]] Raster draw(int width, int height) const;

 private:
  using Point = std::pair<std::int32_t, std::int32_t>;

  std::int32_t lower_;
  std::int32_t upper_;
  std::int64_t points_ = 0;
  std::vector<std::vector<Point>> blocks_;
};

}  // namespace picture
