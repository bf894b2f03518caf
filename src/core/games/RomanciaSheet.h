// Romancia's tile sheet: where each tile of the two pattern banks sits on the
// edited bitmap, and how the bitmap's pixels become two-plane tiles.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace morvane {

inline constexpr int kSheetColumns = 32;
inline constexpr int kSheetRows = 30;
inline constexpr int kBankSize = 4096;
inline constexpr std::uint8_t kNoTile = 0x0F;
inline constexpr std::uint8_t kOffSheet = 0xFF;

// Tile number of each bank at each sheet cell, or kNoTile.
using SheetLayout = std::array<std::array<std::array<std::uint8_t, kSheetRows>, kSheetColumns>, 2>;
const SheetLayout& RomanciaSheetLayout();

// Where a tile of a bank sits on the sheet; column kOffSheet when it does not.
struct TilePosition {
  std::uint8_t column = kOffSheet;
  std::int32_t row = 0;
};
using TilePositions = std::array<std::array<TilePosition, 256>, 2>;
TilePositions BuildTilePositions(const SheetLayout& layout);

// A bank of 256 two-plane tiles, plus the zero byte the encoder reads after it.
using PatternBank = std::array<std::uint8_t, kBankSize + 1>;

// Empty when bmp is the expected sheet (a 4-bit, 320 x 269, bottom-up,
// uncompressed bitmap with its pixels at byte 118); else what is wrong with it.
std::string CheckSheetBitmap(const std::string& bmp);
// File offset of pixel row d (0-7) of the tile in sheet cell (column, row).
std::int64_t SheetRowOffset(int column, int row, int d);
// The two banks read from a checked sheet; tiles off the sheet stay zero.
std::array<PatternBank, 2> ReadSheet(const std::string& bmp);

}  // namespace morvane
