#include "picture/point_cloud.h"

#include <algorithm>

#include "picture/triple_picture.h"

namespace picture {

PointCloud::PointCloud(std::int32_t lower, std::int32_t upper)
    : lower_(std::min(lower, upper)), upper_(std::max(lower, upper)) {}

void PointCloud::add(std::int64_t i, std::int64_t j) {
  ++points_;
  const auto inside = [this](std::int64_t value) { return value >= lower_ && value <= upper_; };
  if (inside(i) && inside(j)) shown_.emplace_back(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j));
}

Raster PointCloud::draw(int width, int height) const {
  TriplePicture picture(lower_, upper_, width, height);
  for (const auto& [i, j] : shown_) picture.add(i, j);
  return picture.draw();
}

}  // namespace picture
