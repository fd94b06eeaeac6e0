#include "picture/point_cloud.h"

#include <algorithm>

#include "picture/triple_picture.h"

namespace picture {
namespace {

constexpr std::size_t kFirstBlockPoints = std::size_t{1} << 12;
constexpr std::size_t kLargestBlockPoints = std::size_t{1} << 18;

}  // namespace

PointCloud::PointCloud(std::int32_t lower, std::int32_t upper)
    : lower_(std::min(lower, upper)), upper_(std::max(lower, upper)) {}

void PointCloud::add(std::int64_t i, std::int64_t j) {
  ++points_;
  const auto inside = [this](std::int64_t value) { return value >= lower_ && value <= upper_; };
  if (!inside(i) || !inside(j)) return;
  if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
    const std::size_t size =
        blocks_.empty() ? kFirstBlockPoints : std::min(2 * blocks_.back().capacity(), kLargestBlockPoints);
    blocks_.emplace_back().reserve(size);
  }
  blocks_.back().emplace_back(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j));
}

Raster PointCloud::draw(int width, int height) const {
  TriplePicture picture(lower_, upper_, width, height);
  for (const std::vector<Point>& block : blocks_) {
    for (const auto& [i, j] : block) picture.add(i, j);
  }
  return picture.draw();
}

}  // namespace picture
