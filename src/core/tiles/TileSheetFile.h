// Writing a ROM's tiles as a PNG sheet beside it.
#pragma once

#include <string>

#include "tiles/TileOptions.h"

namespace morvane {

// "<rom without extension> Tiles.png".
std::string TileSheetName(const std::string& romPath);

struct TileSheet {
  std::string path;    // of the PNG written
  SheetLayout layout;  // what it shows
};

// Reads the ROM, checks the options against it and writes the sheet. Throws
// JobError; the ROM is only read.
TileSheet WriteTileSheet(const std::string& romPath, const TileArguments& args);

}  // namespace morvane
