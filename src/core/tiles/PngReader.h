// Reading a tile sheet back from a PNG file, through libpng.
#pragma once

#include <string>
#include <string_view>

#include "tiles/TileOptions.h"
#include "tiles/TileSheet.h"

namespace morvane {

// The pixels of the PNG file in bytes as colour values 0-3: the colour numbers
// of an indexed PNG, or for a grey or RGB one the place of each pixel's colour
// in palette (the first, when two places hold it). Interlaced files are read.
// Throws JobError::Minor titled title and naming path for a file that is not
// a PNG, is damaged or cut short, has 16 bits a channel, has no pixels or more
// than kMaxSheetPixels, or has a pixel that is not fully opaque, has a colour
// number over 3 or a colour that is not in palette; the message names the
// first such pixel and its colour.
IndexedImage DecodeSheetPng(std::string_view bytes, const Palette& palette,
                            const std::string& title, const std::string& path);

}  // namespace morvane
