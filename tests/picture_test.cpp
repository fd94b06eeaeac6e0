#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "picture/triple_picture.h"
#include "search/triple_search.h"

namespace {

using picture::Pixel;
using picture::PlotSquare;
using picture::Raster;
using picture::TriplePicture;

// The raster as text, a character a pixel: '.' white, '#' black, 'o' the
// grey of one point, '+' an axis, '?' anything else.
std::vector<std::string> artOf(const Raster& raster) {
  std::vector<std::string> art;
  for (int y = 0; y < raster.height(); ++y) {
    std::string row;
    for (int x = 0; x < raster.width(); ++x) {
      switch (raster.at(x, y)) {
        case 255:
          row += '.';
          break;
        case 0:
          row += '#';
          break;
        case 160:
          row += 'o';
          break;
        case 208:
          row += '+';
          break;
        default:
          row += '?';
      }
    }
    art.push_back(row);
  }
  return art;
}

TriplePicture pictureOfSearch(std::int32_t lower, std::int32_t upper, int width, int height) {
  TriplePicture picture(lower, upper, width, height);
  search::TripleSearch search(lower, upper);
  while (!search.finished()) picture.add(search.next());
  return picture;
}

// At 44 pixels the square of 1..20 has a pixel a value: the seven hits
// (3, 4), (5, 12), (6, 8), (8, 15), (9, 12), (12, 16), (15, 20) one grey
// pixel each, i across and j up, inside a frame, no axis, the bounds in the
// digit font under the bottom corners and over the top-left one.
TEST(TriplePicture, DrawsTheHitsOfOneToTwentyPixelByPixel) {
  const std::vector<std::string> expected{
      "............................................", "............................................",
      "............###...###.......................", "...........#...#.#...#......................",
      "...............#.#..##......................", "..............#..#.#.#......................",
      ".............#...##..#......................", "............#....#...#......................",
      "...........#####..###.......................", "............................................",
      "............................................", "...........######################...........",
      "...........#..............o.....#...........", "...........#....................#...........",
      "...........#....................#...........", "...........#....................#...........",
      "...........#...........o........#...........", "...........#.......o............#...........",
      "...........#....................#...........", "...........#....................#...........",
      "...........#....o...o...........#...........", "...........#....................#...........",
      "...........#....................#...........", "...........#....................#...........",
      "...........#.....o..............#...........", "...........#....................#...........",
      "...........#....................#...........", "...........#....................#...........",
      "...........#..o.................#...........", "...........#....................#...........",
      "...........#....................#...........", "...........#....................#...........",
      "...........######################...........", "............................................",
      "............................................", ".............#.........###...###............",
      "............##........#...#.#...#...........", ".............#............#.#..##...........",
      ".............#...........#..#.#.#...........", ".............#..........#...##..#...........",
      ".............#.........#....#...#...........", "............###.......#####..###............",
      "............................................", "............................................",
  };
  const TriplePicture picture = pictureOfSearch(1, 20, 44, 44);
  EXPECT_EQ(picture.points(), 7);
  EXPECT_EQ(artOf(picture.draw()), expected);
}

// At 34 pixels the square of 1..20 has 10 pixels a side, two values a pixel.
TEST(TriplePicture, DarkensAPixelWithEachDoublingOfItsPoints) {
  TriplePicture picture(1, 20, 34, 34);
  const auto addTimes = [&picture](std::int64_t i, std::int64_t j, int times) {
    for (int n = 0; n < times; ++n) picture.add(search::Hit{i, j, 0});
  };
  addTimes(1, 1, 1);
  addTimes(3, 1, 1);
  addTimes(4, 2, 1);  // same pixel as (3, 1)
  addTimes(5, 1, 4);
  addTimes(7, 1, 7);
  addTimes(9, 1, 8);
  addTimes(11, 1, 300);
  const Raster raster = picture.draw();
  const int bottom = 12 + 9;
  EXPECT_EQ(raster.at(12, bottom), 160);
  EXPECT_EQ(raster.at(13, bottom), 140);
  EXPECT_EQ(raster.at(14, bottom), 120);
  EXPECT_EQ(raster.at(15, bottom), 120);
  EXPECT_EQ(raster.at(16, bottom), 100);
  EXPECT_EQ(raster.at(17, bottom), 0);
  EXPECT_EQ(raster.at(18, bottom), 255);
}

// -5..10 at 40 pixels: 16 values on 16 pixels from (12, 12), 0 the sixth.
// The row i = 0 holds every j, so its axis is all points; j = 0 is a hit for
// i <= 5 only, so the axis shows beyond, under the points (8, 6) and (6, 8).
TEST(TriplePicture, DrawsTheAxesUnderThePointsWhereZeroIsInTheBounds) {
  const Raster raster = pictureOfSearch(-5, 10, 40, 40).draw();
  const auto pixelOf = [](int i, int j) { return Pixel{12 + i + 5, 12 + 15 - (j + 5)}; };
  const auto at = [&raster](Pixel pixel) { return raster.at(pixel.x, pixel.y); };
  for (int j = -5; j <= 10; ++j) EXPECT_EQ(at(pixelOf(0, j)), 160) << j;
  for (int i = -5; i <= 5; ++i) EXPECT_EQ(at(pixelOf(i, 0)), 160) << i;
  for (int i = 6; i <= 10; ++i) EXPECT_EQ(at(pixelOf(i, 0)), 208) << i;
  for (const auto& [i, j] : {std::pair{-3, -4}, {-4, -3}, {4, 3}, {8, 6}, {6, 8}}) {
    EXPECT_EQ(at(pixelOf(i, j)), 160) << i << " " << j;
  }
  EXPECT_EQ(at(pixelOf(-4, -4)), 255);
  EXPECT_EQ(at(pixelOf(6, 6)), 255);
}

// Values reach -2^31 and 2^31 - 1, and j goes down to -2^32: the corners, the
// middle and the values beside the shares' edges land where exact division
// puts them.
TEST(PlotSquare, PutsEveryValueOnThePixelOfTheMiddleOfItsShare) {
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  const PlotSquare whole(kMin, kMax, 800, 800);
  const int side = whole.side();
  ASSERT_EQ(side, 776);
  EXPECT_EQ(whole.pixelOf(kMin, kMin), (Pixel{whole.left(), whole.top() + side - 1}));
  EXPECT_EQ(whole.pixelOf(kMax, kMax), (Pixel{whole.left() + side - 1, whole.top()}));
  EXPECT_EQ(whole.offsetOf(0), side / 2);
  EXPECT_EQ(whole.pixelOf(0, -(std::int64_t{1} << 32)), std::nullopt);
  EXPECT_EQ(whole.offsetOf(std::int64_t{kMax} + 1), std::nullopt);

  for (const auto& [lower, upper, size] : {std::tuple{kMin, kMax, 800}, std::tuple{-7, 1000003, 4096},
                                           std::tuple{1, 3, 32}, std::tuple{kMin, 12345, 999}}) {
    const PlotSquare square(lower, upper, size, size + 5);
    const std::int64_t values = std::int64_t{upper} - lower + 1;
    const std::int64_t shares = 2 * values;
    for (std::int64_t pixel = 0; pixel <= square.side(); ++pixel) {
      // The first value whose middle lies at or past the pixel's left edge,
      // and its neighbours.
      const std::int64_t edge = lower + (pixel * shares / square.side()) / 2;
      for (std::int64_t value = edge - 1; value <= edge + 1; ++value) {
        if (value < lower || value > upper) continue;
        const std::int64_t exact = (2 * (value - lower) + 1) * square.side() / shares;
        EXPECT_EQ(square.offsetOf(value), exact) << lower << ".." << upper << " " << value;
      }
    }
  }
}

}  // namespace
