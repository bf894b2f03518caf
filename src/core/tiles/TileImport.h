// A tile sheet put back into a ROM: its pixels encoded as tiles where the
// sheet's options place them.
#pragma once

#include <string>
#include <string_view>

#include "tiles/TileOptions.h"
#include "tiles/TileSheet.h"

namespace morvane {

struct ImportedTiles {
  std::string rom;  // the ROM with the sheet's tiles in it
  int tiles = 0;    // tiles of the sheet that lie in the ROM
  int changed = 0;  // of those, the ones whose bytes differ from the ROM's
};

// "dir/game_Modified.nes" for "dir/game.nes".
std::string ModifiedRomName(const std::string& romPath);

// The sheet's tiles put into a copy of rom, cell by cell from settings'
// offset, its columns and shape. settings.layout.count limits the tiles read;
// 0 reads every cell, except blank ones after the end of the ROM (the cells
// a sheet draws after its last tile). Throws JobError::Minor titled "Tiles"
// naming pngPath when the sheet does not fit whole tiles or the columns, when
// the count is more than the sheet holds, a drawn tile lies past the end of
// the ROM, or a 1-bit tile has a pixel of colour 1 or 2.
ImportedTiles ImportSheet(std::string_view rom, const IndexedImage& sheet,
                          const TileSettings& settings, const std::string& pngPath);

}  // namespace morvane
