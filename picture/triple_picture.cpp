#include "picture/triple_picture.h"

#include <bit>
#include <limits>
#include <string>

#include "picture/digit_font.h"

namespace picture {
namespace {

constexpr std::uint8_t kWhite = 255;
constexpr std::uint8_t kBlack = 0;
// Lighter than a single point, so that the points on an axis show.
constexpr std::uint8_t kAxisGrey = 208;
// One point, and how much darker each doubling of the count makes it:
// black from 256 points on.
constexpr int kOnePointGrey = 160;
constexpr int kDarkerPerDoubling = 20;

std::uint8_t shadeOf(std::uint16_t count) {
  const int doublings = std::bit_width(count) - 1;
  return static_cast<std::uint8_t>(std::max(0, kOnePointGrey - kDarkerPerDoubling * doublings));
}

}  // namespace

TriplePicture::TriplePicture(std::int32_t lower, std::int32_t upper, int width, int height)
    : width_(width),
      height_(height),
      square_(lower, upper, width, height),
      counts_(static_cast<std::size_t>(square_.side()) * static_cast<std::size_t>(square_.side())) {}

void TriplePicture::add(std::int64_t i, std::int64_t j) {
  ++points_;
  const auto across = square_.offsetOf(i);
  const auto up = square_.offsetOf(j);
  if (!across || !up) return;
  const auto side = static_cast<std::size_t>(square_.side());
  std::uint16_t& count =
      counts_[(side - 1 - static_cast<std::size_t>(*up)) * side + static_cast<std::size_t>(*across)];
  if (count != std::numeric_limits<std::uint16_t>::max()) ++count;
}

void TriplePicture::add(std::span<const search::Hit> hits) {
  for (const search::Hit& hit : hits) add(hit);
}

Raster TriplePicture::draw() const {
  Raster raster(width_, height_, kWhite);
  drawAxes(raster);
  drawPoints(raster);
  drawFrame(raster);
  drawLabels(raster);
  return raster;
}

void TriplePicture::drawPoints(Raster& raster) const {
  const int side = square_.side();
  auto count = counts_.begin();
  for (int row = 0; row < side; ++row) {
    for (int column = 0; column < side; ++column, ++count) {
      if (*count != 0) raster.darken(square_.left() + column, square_.top() + row, shadeOf(*count));
    }
  }
}

void TriplePicture::drawAxes(Raster& raster) const {
  const auto zero = square_.offsetOf(0);
  if (!zero) return;
  const int side = square_.side();
  const int column = square_.left() + *zero;
  const int row = square_.top() + side - 1 - *zero;
  for (int step = 0; step < side; ++step) {
    raster.darken(column, square_.top() + step, kAxisGrey);
    raster.darken(square_.left() + step, row, kAxisGrey);
  }
}

void TriplePicture::drawFrame(Raster& raster) const {
  const int first = -1;
  const int last = square_.side();
  for (int step = first; step <= last; ++step) {
    raster.darken(square_.left() + step, square_.top() + first, kBlack);
    raster.darken(square_.left() + step, square_.top() + last, kBlack);
    raster.darken(square_.left() + first, square_.top() + step, kBlack);
    raster.darken(square_.left() + last, square_.top() + step, kBlack);
  }
}

// The low bound under the bottom-left corner and the high one under the
// bottom-right corner (i), the high one over the top-left corner (j); each
// flush with the frame's outer edge on its side.
void TriplePicture::drawLabels(Raster& raster) const {
  const std::string low = std::to_string(square_.low());
  const std::string high = std::to_string(square_.high());
  const int frameLeft = square_.left() - 1;
  const int frameRight = square_.left() + square_.side();
  const int below = square_.top() + square_.side() + 1 + kLabelGap;
  const int above = square_.top() - 1 - kLabelGap - kGlyphHeight;
  drawText(raster, low, frameLeft, below, kBlack);
  drawText(raster, high, frameRight + 1 - textWidth(high), below, kBlack);
  drawText(raster, high, frameLeft, above, kBlack);
}

}  // namespace picture
