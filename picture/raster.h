#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace picture {

// A grey image, one byte a pixel (0 black, 255 white), rows from the top.
class Raster {
 public:
  Raster(int width, int height, std::uint8_t grey);

  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }
  [[nodiscard]] std::uint8_t at(int x, int y) const { return pixels_[index(x, y)]; }
  // Makes the pixel at least as dark as grey; pixels outside the image are
  // left alone, so that what is drawn near an edge is clipped there.
  void darken(int x, int y, std::uint8_t grey);
  // The pixels, row after row from the top, width() bytes a row.
  [[nodiscard]] std::span<const std::uint8_t> pixels() const { return pixels_; }

 private:
  [[nodiscard]] std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace picture
