// Writing a ROM's tiles as a PNG sheet beside it.
#pragma once

#include <string>

#include "tiles/TileOptions.h"

namespace morvane {

// "<rom without extension> Tiles.png".
std::string TileSheetName(const std::string& romPath);

// Reads the ROM, checks the options against it and writes the sheet; returns
// the sheet's path. Throws JobError; the ROM is only read.
std::string WriteTileSheet(const std::string& romPath, const TileArguments& args);

}  // namespace morvane
