#include <gtest/gtest.h>

#include <string>

#include "picture/triple_picture.h"
#include "search/triple_search.h"
#include "tests/feuille1_fixture.h"
#include "window/feuille_nuage_layout.h"

namespace {

using feuille_nuage::Image1;

// The picture that the engine's own hits for the bounds give at a size, as
// trivel-cli --image draws it: not read back from the list's lines.
RecordingForm::Image enginePicture(std::int32_t lower, std::int32_t upper, runtime::PixelSize size) {
  picture::TriplePicture picture(lower, upper, size.width, size.height);
  search::TripleSearch search(lower, upper);
  while (!search.finished()) picture.add(search.next());
  const picture::Raster raster = picture.draw();
  return {raster.width(), raster.height(), {raster.pixels().begin(), raster.pixels().end()}};
}

// The picture of a list: every line's point, drawn again at each size, kept
// whatever the list becomes, saved as shown, closed by Escape.
TEST_F(Feuille1Test, ThePictureOfTheListHoldsItsOwnPointsOfEveryLine) {
  search("-1200", "1200");
  window.pictureRequested(Liste1);
  ASSERT_EQ(form.opened.size(), 1U);
  EXPECT_EQ(form.opened[0].name, "FeuilleNuage");
  RecordingForm& nuage = *form.opened[0].form;
  runtime::FormEvents& nuageEvents = *form.opened[0].events;
  EXPECT_EQ(nuage.captions.back(), "nuage des triplets : -1200 à 1200");
  EXPECT_EQ(nuage.descriptions[Image1], "nuage de 14 782 points, i et j de -1 200 à 1 200");
  EXPECT_EQ(nuage.images[Image1], enginePicture(-1200, 1200, nuage.boxSize));

  search("1", "2000");
  nuage.boxSize = {.width = 90, .height = 300};
  nuageEvents.resize();
  EXPECT_EQ(nuage.images[Image1], enginePicture(-1200, 1200, nuage.boxSize));

  nuageEvents.saveRequested(Image1);
  EXPECT_EQ(nuage.proposedFileNames.back(), "nuage -1200-1200.png");
  EXPECT_EQ(nuage.savedImage, nuage.images[Image1]);

  nuageEvents.keyDown(kEscape);
  EXPECT_TRUE(nuage.closed);
  EXPECT_FALSE(form.closed);
  EXPECT_TRUE(areEngineLines(list(), 1, 2000));
}

}  // namespace
