#include "games/RomanciaSheet.h"

#include <sstream>

namespace morvane {

namespace {

struct LayoutRow {
  int bank;
  int row;
  const char* cells;  // columns 0-31; ".." for no tile
};

// clang-format off
constexpr LayoutRow kLayoutRows[] = {
    {0, 1, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. D8 DA DC"},
    {0, 2, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. D9 DB DD"},
    {0, 3, ".. .. .. .. .. 17 18 19 1A 1B 1C 1D .. .. .. 1E 50 .. .. 25 67 .. .. .. .. .. .. C0 E0 E2 E4 E6"},
    {0, 4, ".. .. .. .. .. 27 28 29 2A 2B 2C 2D 2E 2F 30 31 32 33 34 35 36 .. .. .. .. .. .. C1 E1 E3 E5 E7"},
    {0, 5, ".. .. .. .. .. .. .. .. .. .. .. 3F 40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D .. DE E8 EA EC EE"},
    {0, 6, ".. .. .. .. 51 52 53 54 55 .. .. .. .. .. .. .. .. .. .. .. .. .. .. 62 63 .. .. DF E9 EB ED EF"},
    {0, 7, ".. .. .. .. .. 20 21 69 6A 6B 22 23 6C 6D 6E 6F 3A 70 71 72 73 3B 74 75 4E 4F 76 .. .. .. .. .."},
    {0, 8, ".. .. .. 78 79 7A 7B 7C 7D 7E 7F 80 81 82 83 84 85 86 87 88 89 8A 8B 8C 8D 8E 8F 90 91 .. .. .."},
    {0, 9, "FC .. .. 92 93 94 95 96 97 98 99 9A 9B 9C 9D 9E 9F A0 A1 A2 A3 A4 A5 A6 A7 A9 AA AB 56 .. .. .."},
    {0, 10, "FD FE .. .. C9 CA 57 58 AF B0 B1 B2 B3 B4 59 B5 B6 B7 B8 B9 BA BB BC BD BE BF .. .. .. .. .. FA"},
    {0, 11, ".. FF .. .. CB CC .. .. .. 1F C7 C8 .. .. .. .. .. .. 24 26 AC .. .. .. .. .. .. .. .. .. .. FB"},
    {0, 12, "16 .. .. 01 03 04 00 .. 07 08 09 0A .. .. .. .. .. .. .. 15 0B 0C 0D .. .. .. .. .. 02 .. .. .."},
    {0, 14, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. C2 .. .. .."},
    {0, 15, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. C3 .. .. .."},
    {0, 16, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. F2 F4 .."},
    {0, 17, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. F3 F5 F8"},
    {0, 18, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. F9"},
    {0, 19, "D0 D2 .. F0 .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .."},
    {0, 20, "D1 D3 .. F1 .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. F6 CE D4 D6"},
    {0, 21, ".. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. .. F7 CF D5 D7"},
    {1, 13, ".. .. .. .. 05 06 .. 17 F0 F1 22 F3 F4 F5 .. .. .. .. .. .. .. 1F ED EE .. .. .. .. .. .. .. .."},
    {1, 14, ".. .. .. .. .. .. 20 21 .. 23 .. .. 26 27 3C .. 2A .. .. .. 2E 2F .. .. .. .. .. .. .. .. .. .."},
    {1, 15, ".. .. .. .. .. .. 30 31 .. .. .. .. .. .. 38 39 3A .. .. 3D 3E 3F EB EC .. .. .. .. .. .. .. .."},
    {1, 16, ".. .. .. .. .. .. 40 .. .. .. .. .. .. .. 48 49 4A 4B 2D 4D .. .. .. EF F2 .. .. .. .. .. .. .."},
    {1, 17, ".. .. .. .. .. .. 50 51 .. .. 54 .. .. 57 58 59 5A 5B 5C .. 5E .. .. 28 19 1A .. .. .. .. .. .."},
    {1, 18, ".. .. .. .. .. .. 60 .. .. 63 64 65 66 .. 68 69 6A 6B 6C 6D 6E 6F .. .. 1D 1E .. .. .. .. .. .."},
    {1, 19, ".. .. .. .. .. .. 70 71 72 73 74 75 76 .. 78 79 7A 7B 7C 7D 7E 7F 24 25 4E 29 .. .. .. .. .. .."},
    {1, 20, ".. .. .. .. .. .. .. 81 82 83 84 85 86 87 88 89 8A 8B 8C 8D 8E 8F 2B 2C 4F 32 .. .. .. .. .. .."},
    {1, 21, ".. .. .. .. .. .. .. 91 92 93 94 95 96 97 98 99 9A 9B .. 9D 9E 9F 33 34 1C 36 .. .. .. .. .. .."},
    {1, 22, ".. .. .. .. .. .. A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC AD AE AF 37 3B .. 41 .. .. .. .. .. .."},
    {1, 23, ".. .. .. .. .. .. B0 B1 B2 B3 B4 B5 B6 .. .. B9 BA 18 BC BD BE BF 42 43 44 45 .. .. .. .. .. .."},
    {1, 24, ".. .. .. .. .. .. C0 C1 C2 C3 C4 C5 C6 C7 .. C9 CA .. CC CD CE CF 46 47 52 53 .. .. .. .. .. .."},
    {1, 25, ".. .. .. .. .. .. D0 D1 D2 D3 D4 D5 D6 D7 .. D9 DA DB DC DD DE DF 55 56 61 62 .. .. .. .. .. .."},
    {1, 26, ".. .. .. .. E9 EA E0 E1 E2 E3 E4 E5 E6 E7 E8 35 4C B8 BB C8 CB D8 67 80 90 B7 .. .. .. .. .. .."},
};
// clang-format on

SheetLayout BuildLayout() {
  SheetLayout layout;
  for (auto& bank : layout) {
    for (auto& column : bank) column.fill(kNoTile);
  }
  for (const LayoutRow& r : kLayoutRows) {
    std::istringstream cells(r.cells);
    std::string cell;
    for (int c = 0; c < kSheetColumns && cells >> cell; ++c) {
      if (cell != "..")
        layout[r.bank][c][r.row] = static_cast<std::uint8_t>(std::stoi(cell, nullptr, 16));
    }
  }
  return layout;
}

}  // namespace

const SheetLayout& RomanciaSheetLayout() {
  static const SheetLayout kLayout = BuildLayout();
  return kLayout;
}

TilePositions BuildTilePositions(const SheetLayout& layout) {
  TilePositions positions;
  for (int c = 0; c < kSheetColumns; ++c) {
    for (int r = 0; r < kSheetRows; ++r) {
      for (int b = 0; b < 2; ++b) {
        const std::uint8_t tile = layout[b][c][r];
        if (tile != kNoTile) positions[b][tile] = {static_cast<std::uint8_t>(c), r};
      }
    }
  }
  return positions;
}

namespace {

constexpr std::int64_t kPixelStart = 118;
constexpr std::int64_t kRowBytes = 160;
constexpr int kWidth = 320;
constexpr int kHeight = 269;

std::int64_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
  std::int64_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value * 256 + static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

}  // namespace

std::string CheckSheetBitmap(const std::string& bmp) {
  const std::string expected =
      "The tile sheet must be a 16-colour bitmap (4 bits per pixel, uncompressed) of 320 x 269 "
      "pixels, stored bottom-up with its pixels starting at byte 118.";
  if (bmp.size() < 54 || bmp.compare(0, 2, "BM") != 0)
    return "This is not a bitmap file. " + expected;
  const bool layout = LittleEndian(bmp, 10, 4) == kPixelStart && LittleEndian(bmp, 14, 4) == 40 &&
                      LittleEndian(bmp, 18, 4) == kWidth && LittleEndian(bmp, 22, 4) == kHeight &&
                      LittleEndian(bmp, 26, 2) == 1 && LittleEndian(bmp, 28, 2) == 4 &&
                      LittleEndian(bmp, 30, 4) == 0;
  if (!layout) return "This bitmap is not laid out as the tile sheet. " + expected;
  if (static_cast<std::int64_t>(bmp.size()) < kPixelStart + kRowBytes * kHeight) {
    return "This bitmap is cut short: its pixels end before the sheet's last row. " + expected;
  }
  return {};
}

std::int64_t SheetRowOffset(int column, int row, int d) {
  return kPixelStart + 5LL * column + kRowBytes * ((29LL - row) * 9 + 7 - d);
}

std::array<PatternBank, 2> ReadSheet(const std::string& bmp) {
  std::array<PatternBank, 2> banks{};
  const TilePositions positions = BuildTilePositions(RomanciaSheetLayout());
  for (int b = 0; b < 2; ++b) {
    for (int tile = 0; tile < 256; ++tile) {
      const TilePosition& at = positions[b][tile];
      if (at.column == kOffSheet) continue;
      for (int d = 0; d < 8; ++d) {
        const auto offset = static_cast<std::size_t>(SheetRowOffset(at.column, at.row, d));
        std::uint8_t plane0 = 0;
        std::uint8_t plane1 = 0;
        for (int x = 0; x < 8; ++x) {
          const auto pair =
              static_cast<std::uint8_t>(bmp.at(offset + static_cast<std::size_t>(x / 2)));
          const int colour = x % 2 == 0 ? pair >> 4 : pair & 15;
          plane0 = static_cast<std::uint8_t>(plane0 << 1 | (colour & 1));
          plane1 = static_cast<std::uint8_t>(plane1 << 1 | (colour >> 1 & 1));
        }
        banks[b][tile * 16 + d] = plane0;
        banks[b][tile * 16 + d + 8] = plane1;
      }
    }
  }
  return banks;
}

}  // namespace morvane
