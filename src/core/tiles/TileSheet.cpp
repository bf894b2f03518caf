#include "tiles/TileSheet.h"

#include <algorithm>
#include <cstring>

namespace morvane {

namespace {

// The 8 pixels of one tile row from its plane bytes, leftmost first.
void DecodeRow(std::uint8_t plane0, std::uint8_t plane1, std::uint8_t* out) {
  for (int x = 0; x < kTileSide; ++x) {
    const int bit = 7 - x;
    out[x] = static_cast<std::uint8_t>(((plane0 >> bit) & 1) | (((plane1 >> bit) & 1) << 1));
  }
}

}  // namespace

TilePixels DecodeTile(std::string_view file, std::size_t offset, int bpp) {
  std::array<std::uint8_t, 16> bytes{};
  if (offset < file.size()) {
    const std::size_t n = std::min(TileBytes(bpp), file.size() - offset);
    std::memcpy(bytes.data(), file.data() + offset, n);
  }
  TilePixels pixels{};
  for (int y = 0; y < kTileSide; ++y) {
    std::uint8_t* row = pixels.data() + y * kTileSide;
    if (bpp == 1) {
      // Colour 3 for a set bit: the 1-bit tile as both planes.
      DecodeRow(bytes[y], bytes[y], row);
    } else {
      DecodeRow(bytes[y], bytes[y + 8], row);
    }
  }
  return pixels;
}

IndexedImage RenderSheet(std::string_view file, const SheetLayout& layout) {
  IndexedImage image;
  const int rows = (layout.count + layout.columns - 1) / layout.columns;
  const int cell = kTileSide * layout.scale;
  image.width = layout.columns * cell;
  image.height = rows * cell;
  const auto width = static_cast<std::size_t>(image.width);
  image.pixels.assign(width * static_cast<std::size_t>(image.height), 0);
  const std::size_t tileBytes = TileBytes(layout.bpp);
  for (int t = 0; t < layout.count; ++t) {
    const TilePixels tile =
        DecodeTile(file, layout.offset + static_cast<std::size_t>(t) * tileBytes, layout.bpp);
    const auto left = static_cast<std::size_t>(t % layout.columns * cell);
    const auto top = static_cast<std::size_t>(t / layout.columns * cell);
    for (int y = 0; y < cell; ++y) {
      std::uint8_t* out = image.pixels.data() + (top + static_cast<std::size_t>(y)) * width + left;
      const std::uint8_t* in = tile.data() + y / layout.scale * kTileSide;
      for (int x = 0; x < cell; ++x) out[x] = in[x / layout.scale];
    }
  }
  return image;
}

}  // namespace morvane
