#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "picture/plot_square.h"
#include "picture/raster.h"
#include "search/hit.h"

namespace picture {

// The picture of a search's hits: each hit (i, j) a point, counted in its
// pixel of the plot square as the hits are added, in one pass and in any
// order; then drawn as a grey raster: white where no point fell, a clear grey
// for one point and a darker one for each doubling of the count, the axes
// where 0 lies within the bounds, a frame around the square, and the square's
// corners labelled with the bounds in the picture's own digit font. A hit
// outside the square (j below the lower bound) counts as a point but has no
// pixel.
class TriplePicture {
 public:
  // For the bounds of the search and an image of a size, each side from
  // kMinSide to kMaxSide.
  TriplePicture(std::int32_t lower, std::int32_t upper, int width, int height);

  void add(const search::Hit& hit) { add(hit.i, hit.j); }
  void add(std::int64_t i, std::int64_t j);
  void add(std::span<const search::Hit> hits);
  // How many hits were added.
  [[nodiscard]] std::int64_t points() const { return points_; }
  [[nodiscard]] const PlotSquare& square() const { return square_; }
  [[nodiscard]] Raster draw() const;

 private:
  void drawPoints(Raster& raster) const;
  void drawAxes(Raster& raster) const;
  void drawFrame(Raster& raster) const;
  void drawLabels(Raster& raster) const;

  int width_;
  int height_;
  PlotSquare square_;
  // The points in each pixel of the square, row by row from the top; a count
  // stops growing where its shade is black long since.
  std::vector<std::uint16_t> counts_;
  std::int64_t points_ = 0;
};

}  // namespace picture
