#pragma once

#include <cstdint>

#include "cli/image_size.h"
#include "picture/raster.h"
#include "search/hit_count.h"

// The picture of the search with these bounds, of all its hits or those of
// primitive triples: the hits are counted into the picture slice by slice as
// the search hands them out, none kept.
picture::Raster searchPicture(std::int32_t lower, std::int32_t upper, search::Hits hits, ImageSize size);
