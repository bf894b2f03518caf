// PNG files of tile sheets, through libpng.
#pragma once

#include <string>

#include "tiles/TileOptions.h"
#include "tiles/TileSheet.h"

namespace morvane {

// The bytes of an indexed PNG of image, colour index i drawn in palette[i].
// Throws JobError when libpng refuses (out of memory).
std::string EncodePng(const IndexedImage& image, const Palette& palette);

}  // namespace morvane
