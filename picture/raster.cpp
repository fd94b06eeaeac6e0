#include "picture/raster.h"

#include <algorithm>

namespace picture {

Raster::Raster(int width, int height, std::uint8_t grey)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), grey) {}

void Raster::darken(int x, int y, std::uint8_t grey) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::uint8_t& pixel = pixels_[index(x, y)];
  pixel = std::min(pixel, grey);
}

}  // namespace picture
