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

std::string EncodeTile(const TilePixels& pixels, int bpp) {
  std::string bytes(TileBytes(bpp), '\0');
  for (int y = 0; y < kTileSide; ++y) {
    unsigned plane0 = 0, plane1 = 0;
    for (int x = 0; x < kTileSide; ++x) {
      const unsigned pixel = pixels[static_cast<std::size_t>(y * kTileSide + x)];
      plane0 = plane0 << 1 | (bpp == 1 ? (pixel != 0 ? 1u : 0u) : (pixel & 1u));
      plane1 = plane1 << 1 | (pixel >> 1 & 1u);
    }
    bytes[static_cast<std::size_t>(y)] = static_cast<char>(plane0);
    if (bpp == 2) bytes[static_cast<std::size_t>(y + 8)] = static_cast<char>(plane1);
  }
  return bytes;
}

TilePlace PlaceOfTile(const SheetLayout& layout, int t) {
  const int cell = t / layout.tilesACell();
  return {cell % layout.columns * kTileSide,
          cell / layout.columns * layout.cellHeight() + t % layout.tilesACell() * kTileSide};
}

std::pair<std::int64_t, std::int64_t> SheetSize(const SheetLayout& layout) {
  const std::int64_t cells = (layout.count + layout.tilesACell() - 1) / layout.tilesACell();
  const std::int64_t rows = (cells + layout.columns - 1) / layout.columns;
  return {std::int64_t{layout.columns} * kTileSide * layout.scale,
          rows * layout.cellHeight() * layout.scale};
}

IndexedImage RenderSheet(std::string_view file, const SheetLayout& layout) {
  IndexedImage image;
  const auto [width, height] = SheetSize(layout);
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.pixels.assign(static_cast<std::size_t>(width * height), 0);
  const std::size_t tileBytes = TileBytes(layout.bpp);
  const int side = kTileSide * layout.scale;
  for (int t = 0; t < layout.count; ++t) {
    const TilePixels tile =
        DecodeTile(file, layout.offset + static_cast<std::size_t>(t) * tileBytes, layout.bpp);
    const TilePlace place = PlaceOfTile(layout, t);
    const auto left = static_cast<std::size_t>(place.x * layout.scale);
    const auto top = static_cast<std::size_t>(place.y * layout.scale);
    for (int y = 0; y < side; ++y) {
      std::uint8_t* out = image.pixels.data() +
                          (top + static_cast<std::size_t>(y)) * static_cast<std::size_t>(width) +
                          left;
      const std::uint8_t* in = tile.data() + y / layout.scale * kTileSide;
      for (int x = 0; x < side; ++x) out[x] = in[x / layout.scale];
    }
  }
  return image;
}

}  // namespace morvane
