// NES pattern tiles as pixels: 2-bit planar tiles (16 bytes) and 1-bit tiles
// (8 bytes) from any file offset, laid out as a sheet of colour indices.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {

inline constexpr int kTileSide = 8;

// Bytes of one tile: 8 for 1 bit per pixel, 16 for 2.
constexpr std::size_t TileBytes(int bpp) {
  return bpp == 1 ? 8 : 16;
}

// The 64 colour indices (0-3) of the tile at offset, row by row. Plane 0 is
// bytes 0-7, plane 1 bytes 8-15, bit 7 the leftmost pixel; a pixel is plane 0
// plus twice plane 1. A 1-bit tile draws its set pixels in colour 3. Bytes
// past the end of file read as zero.
using TilePixels = std::array<std::uint8_t, kTileSide * kTileSide>;
TilePixels DecodeTile(std::string_view file, std::size_t offset, int bpp);

// The bytes of the tile drawn by pixels (values 0-3). A 1-bit tile sets the
// bit of every pixel that is not colour 0.
std::string EncodeTile(const TilePixels& pixels, int bpp);

// How a sheet places its tiles: one a cell (8x8), or two a cell of 8 by 16
// pixels, an even tile over the odd one after it, as 8x16 sprites keep them.
enum class TileShape { Square, Tall };

struct SheetLayout {
  std::size_t offset = 0;  // file offset of the first tile
  int count = 1;           // tiles drawn
  int columns = 16;        // cells a row
  int scale = 1;           // screen pixels a tile pixel, on each side
  int bpp = 2;
  TileShape shape = TileShape::Square;

  int tilesACell() const { return shape == TileShape::Tall ? 2 : 1; }
  int cellHeight() const { return kTileSide * tilesACell(); }  // in tile pixels
};

// The top left pixel of tile t (counted from the layout's first) on a sheet
// drawn at scale 1.
struct TilePlace {
  int x = 0, y = 0;
};
TilePlace PlaceOfTile(const SheetLayout& layout, int t);
// Width and height in pixels of the sheet of layout, scale included.
std::pair<std::int64_t, std::int64_t> SheetSize(const SheetLayout& layout);

// One byte a pixel, each a colour index 0-3, rows top to bottom.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  std::uint8_t at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// Cells left to right, top to bottom, without gaps; what follows the last
// tile stays colour 0.
IndexedImage RenderSheet(std::string_view file, const SheetLayout& layout);

}  // namespace morvane
