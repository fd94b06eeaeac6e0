#include "window/feuille_nuage.h"

#include <algorithm>
#include <optional>
#include <string>

#include "picture/plot_square.h"
#include "window/feuille_nuage_layout.h"

namespace {

constexpr std::int16_t kEscape = 27;

// A number as it is read aloud: its digits in groups of three, "1 000 000".
std::string grouped(std::int64_t value) {
  std::string digits = std::to_string(value);
  const std::size_t first = value < 0 ? 1 : 0;
  for (std::size_t at = digits.size(); at > first + 3; at -= 3) digits.insert(at - 3, 1, ' ');
  return digits;
}

runtime::GreyImage imageOf(const picture::Raster& raster) {
  return {.width = raster.width(), .height = raster.height(), .pixels = raster.pixels()};
}

}  // namespace

void FeuilleNuage::saveRequested(runtime::ControlId control) {
  if (control == feuille_nuage::Image1) Image1_Save();
}

void FeuilleNuage::Form_Load() {
  const std::string lower = std::to_string(points_->lower());
  const std::string upper = std::to_string(points_->upper());
  form_.setCaption("nuage des triplets : " + lower + " à " + upper);
  form_.setDescription(feuille_nuage::Image1, "nuage de " + grouped(points_->points()) +
                                                  " points, i et j de " + grouped(points_->lower()) + " à " +
                                                  grouped(points_->upper()));
  Form_Resize();
}

// Escape closes the window, as Alt+F4 does.
void FeuilleNuage::Form_KeyDown(std::int16_t keyCode) {
  if (keyCode == kEscape) form_.close();
}

// Draws the points at the picture box's size, within the sizes a picture may have.
void FeuilleNuage::Form_Resize() {
  const runtime::PixelSize size = form_.pixelSize(feuille_nuage::Image1);
  shown_ = points_->draw(std::clamp(size.width, picture::kMinSide, picture::kMaxSide),
                         std::clamp(size.height, picture::kMinSide, picture::kMaxSide));
  form_.showImage(feuille_nuage::Image1, imageOf(*shown_));
}

// Saves the picture shown, under a name made of its bounds.
void FeuilleNuage::Image1_Save() {
  const std::optional<std::string> path = form_.chooseImageFile(
      "nuage " + std::to_string(points_->lower()) + "-" + std::to_string(points_->upper()) + ".png");
  if (path && shown_) form_.writeImage(*path, imageOf(*shown_));
}
