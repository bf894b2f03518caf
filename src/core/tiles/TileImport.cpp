#include "tiles/TileImport.h"

#include "patch/PatchFiles.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

struct Refusal {
  const std::string& path;
  [[noreturn]] void operator()(const std::string& message) const {
    throw JobError::Minor("Tiles", message, path);
  }
};

std::string Size(const IndexedImage& sheet) {
  return std::to_string(sheet.width) + " x " + std::to_string(sheet.height);
}

TilePixels PixelsOf(const IndexedImage& sheet, TilePlace place) {
  TilePixels pixels{};
  for (int y = 0; y < kTileSide; ++y) {
    for (int x = 0; x < kTileSide; ++x) {
      pixels[static_cast<std::size_t>(y * kTileSide + x)] = sheet.at(place.x + x, place.y + y);
    }
  }
  return pixels;
}

// The cells of the sheet, checked against the layout.
int TilesOnSheet(const IndexedImage& sheet, const SheetLayout& layout, const Refusal& refuse) {
  const int high = layout.cellHeight();
  if (sheet.width % kTileSide != 0 || sheet.height % high != 0) {
    refuse("The image is " + Size(sheet) +
           " pixels, which does not fit whole tiles: its width must be a multiple of 8 and its "
           "height of " +
           std::to_string(high) + ".");
  }
  if (sheet.width != layout.columns * kTileSide) {
    refuse("The image is " + std::to_string(sheet.width) + " pixels wide, but " +
           std::to_string(layout.columns) + " columns of tiles are " +
           std::to_string(layout.columns * kTileSide) + ": give the columns it was drawn with.");
  }
  return layout.columns * (sheet.height / high) * layout.tilesACell();
}

}  // namespace

std::string ModifiedRomName(const std::string& romPath) {
  return WithoutExtension(romPath) + "_Modified" + ExtensionOf(romPath);
}

ImportedTiles ImportSheet(std::string_view rom, const IndexedImage& sheet,
                          const TileSettings& settings, const std::string& pngPath) {
  const Refusal refuse{pngPath};
  SheetLayout layout = settings.layout;
  const int cells = TilesOnSheet(sheet, layout, refuse);
  const std::size_t tileBytes = TileBytes(layout.bpp);
  if (layout.count > cells) {
    refuse("The count " + std::to_string(layout.count) + " is more than the " +
           std::to_string(cells) + " tiles the image holds.");
  }
  if (layout.count == 0) layout.count = cells;
  ImportedTiles result{std::string(rom)};
  for (int t = 0; t < layout.count; ++t) {
    const TilePlace place = PlaceOfTile(layout, t);
    const TilePixels pixels = PixelsOf(sheet, place);
    const std::string where = "Tile " + std::to_string(t) + " (at " + std::to_string(place.x) +
                              ", " + std::to_string(place.y) + ")";
    for (std::size_t i = 0; i < pixels.size() && layout.bpp == 1; ++i) {
      if (pixels[i] == 1 || pixels[i] == 2) {
        refuse(where + " has a pixel of colour " + std::to_string(pixels[i]) +
               "; a 1-bit tile has only the colours 0 and 3.");
      }
    }
    const std::size_t offset = layout.offset + static_cast<std::size_t>(t) * tileBytes;
    const std::string bytes = EncodeTile(pixels, layout.bpp);
    // What lies past the end of the ROM must be blank: the rest of the last
    // tile, or the cells after the last tile.
    const std::size_t inside = offset < rom.size() ? std::min(tileBytes, rom.size() - offset) : 0;
    if (bytes.find_first_not_of('\0', inside) != std::string::npos) {
      refuse(where + " runs past the end of the ROM: it would lie at offset " +
             Hex(static_cast<std::int64_t>(offset)) + ", and the ROM ends at " +
             Hex(static_cast<std::int64_t>(rom.size())) + ".");
    }
    if (inside == 0) continue;
    ++result.tiles;
    if (rom.substr(offset, inside) != std::string_view(bytes).substr(0, inside)) {
      result.rom.replace(offset, inside, bytes, 0, inside);
      ++result.changed;
    }
  }
  return result;
}

}  // namespace morvane
