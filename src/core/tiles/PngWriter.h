// PNG files of tile sheets, through libpng.
#pragma once

#include <string>

#include "tiles/TileOptions.h"
#include "tiles/TileSheet.h"

namespace morvane {

// The bytes of an indexed PNG of image (colour type 3, 8 bits a pixel, no
// other chunks than IHDR, PLTE, IDAT and IEND): pixel value i is palette
// entry i, so an image editor keeps the values. Throws JobError when libpng
// refuses (out of memory).
std::string EncodePng(const IndexedImage& image, const Palette& palette);

}  // namespace morvane
