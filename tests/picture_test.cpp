#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
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
  const std::map<std::uint8_t, char> symbols{{255, '.'}, {0, '#'}, {160, 'o'}, {208, '+'}};
  std::vector<std::string> art(static_cast<std::size_t>(raster.height()));
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) {
      const auto symbol = symbols.find(raster.at(x, y));
      art[static_cast<std::size_t>(y)] += symbol == symbols.end() ? '?' : symbol->second;
    }
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

// At 34 pixels the square of 1..20 has 10 pixels a side from (12, 12), two
// values a pixel: (i, 1) and (i + 1, 2) share the pixel of the bottom row.
TEST(TriplePicture, DarkensAPixelWithEachDoublingOfItsPoints) {
  TriplePicture picture(1, 20, 34, 34);
  const auto pixels = {std::tuple{1, 1, 160}, {3, 2, 140}, {5, 4, 120},
                       {7, 7, 120},           {9, 8, 100}, {11, 300, 0}};
  for (const auto& [i, points, grey] : pixels) {
    for (int point = 0; point < points; ++point) picture.add(search::Hit{i + point % 2, 1 + point % 2, 0});
  }
  const Raster raster = picture.draw();
  for (const auto& [i, points, grey] : pixels) EXPECT_EQ(raster.at(12 + (i - 1) / 2, 12 + 9), grey) << points;
  EXPECT_EQ(raster.at(12 + 6, 12 + 9), 255);
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
