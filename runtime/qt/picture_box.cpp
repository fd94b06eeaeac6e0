#include "runtime/qt/picture_box.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace runtime::qt {

QImage toQImage(const GreyImage& image) {
  if (image.width < 0 || image.height < 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
    throw std::invalid_argument("image of " + std::to_string(image.pixels.size()) + " bytes for " +
                                std::to_string(image.width) + "x" + std::to_string(image.height) + " pixels");
  }
  // A QImage's rows start on 4-byte boundaries: the rows are copied one by one.
  QImage copy(image.width, image.height, QImage::Format_Grayscale8);
  const auto width = static_cast<std::size_t>(image.width);
  for (int y = 0; y < image.height; ++y) {
    std::ranges::copy(image.pixels.subspan(static_cast<std::size_t>(y) * width, width), copy.scanLine(y));
  }
  return copy;
}

void PictureBox::showImage(const GreyImage& image) {
  image_ = toQImage(image);
  // Drawn in the screen's own pixels, never scaled.
  image_.setDevicePixelRatio(devicePixelRatioF());
  update();
}

PixelSize PictureBox::pixelSize() const {
  const qreal ratio = devicePixelRatioF();
  return {static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio))};
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!image_.isNull()) painter.drawImage(0, 0, image_);
}

}  // namespace runtime::qt
