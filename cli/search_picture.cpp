#include "cli/search_picture.h"

#include "picture/triple_picture.h"
#include "search/primitive.h"
#include "search/triple_search.h"

picture::Raster searchPicture(std::int32_t lower, std::int32_t upper, search::Hits hits, ImageSize size) {
  picture::TriplePicture picture(lower, upper, size.width, size.height);
  search::TripleSearch search(lower, upper);
  while (!search.finished()) {
    const auto slice = search.next();
    if (hits == search::Hits::All) {
      picture.add(slice);
    } else {
      for (const search::Hit& hit : slice) {
        if (search::isPrimitive(hit)) picture.add(hit);
      }
    }
  }
  return picture.draw();
}
