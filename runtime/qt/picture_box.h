#pragma once

#include <QImage>
#include <QWidget>

#include "runtime/form.h"

class QPaintEvent;

namespace runtime::qt {

// A picture box: the grey image the form's code gives, one image pixel a
// screen pixel from the top-left corner, white where the image does not reach.
// It keeps a copy of the image and repaints it by itself.
class PictureBox final : public QWidget {
 public:
  // Copies the image.
  void showImage(const GreyImage& image);
  // The box's size in the screen's pixels.
  [[nodiscard]] PixelSize pixelSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

// A copy of the image as Qt's 8-bit grey image. Its pixels must hold width *
// height bytes.
QImage toQImage(const GreyImage& image);

}  // namespace runtime::qt
