#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "shell/JobError.h"
#include "support/TempDir.h"
#include "tiles/TileSheetFile.h"

namespace morvane {
namespace {

using namespace std::string_literals;
using Picture = std::vector<std::string>;  // one digit 0-3 a pixel

// A hand-made tile drawing kTileA below: plane 0, then plane 1.
const std::string kTileA =
    "\x80\x00\x81\x00\x50\x00\x00\xFF"
    "\x00\x80\x80\x00\x30\x00\x00\xFF"s;
const Picture kTileA_Pixels = {"10000000", "20000000", "30000001", "00000000",
                               "01230000", "00000000", "00000000", "33333333"};
// A 1-bit tile: bit 7 leftmost, set bits in the last colour.
const std::string kTileB = "\x80\x01\x00\x00\x00\x00\x00\xF0"s;
const Picture kTileB_Pixels = {"30000000", "00000003", "00000000", "00000000",
                               "00000000", "00000000", "00000000", "33330000"};
const Picture kBlank(8, "00000000");

// Tiles side by side, rows of tiles one under another.
Picture Sheet(const std::vector<std::vector<Picture>>& rows) {
  Picture sheet;
  for (const auto& row : rows) {
    for (int y = 0; y < 8; ++y) {
      std::string line;
      for (const Picture& tile : row) line += tile[y];
      sheet.push_back(line);
    }
  }
  return sheet;
}

Picture Scaled(const Picture& picture, int scale) {
  Picture out;
  for (const auto& row : picture) {
    std::string line;
    for (char c : row) line += std::string(scale, c);
    for (int i = 0; i < scale; ++i) out.push_back(line);
  }
  return out;
}

// The PNG at path as rows of RGB triplets, read back through libpng.
std::vector<std::vector<std::uint32_t>> ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return {};
  std::vector<std::vector<std::uint32_t>> rows(image.height);
  for (std::size_t y = 0; y < image.height; ++y) {
    for (std::size_t x = 0; x < image.width; ++x) {
      const std::uint8_t* p = &rgb[(y * image.width + x) * 3];
      rows[y].push_back(std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2]);
    }
  }
  return rows;
}

std::vector<std::vector<std::uint32_t>> Colours(const Picture& picture, const Palette& palette) {
  std::vector<std::vector<std::uint32_t>> rows;
  for (const auto& row : picture) {
    rows.emplace_back();
    for (char c : row) rows.back().push_back(palette[static_cast<std::size_t>(c - '0')]);
  }
  return rows;
}

std::string INesHeader(int prgBanks, int chrBanks, int flags6 = 0) {
  std::string header = "NES\x1A";
  header += static_cast<char>(prgBanks);
  header += static_cast<char>(chrBanks);
  header += static_cast<char>(flags6);
  header += std::string(9, '\0');
  return header;
}

struct SheetCase {
  const char* name;
  std::string file;
  TileArguments args;
  Picture expected;
  Palette palette = kDefaultPalette;
};

TEST(TileSheet, PixelForPixel) {
  const Palette custom = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF};
  const std::vector<SheetCase> cases = {
      {"all four values, bit and plane order", kTileA, {.columns = "1"}, kTileA_Pixels},
      {"offset", "\xAA\xBB\xCC" + kTileA, {.offset = "3", .columns = "1"}, kTileA_Pixels},
      {"partial last tile padded with zeros, empty cells in colour 0",
       kTileA + "\xFF\xFF\xFF\x00\x01"s,
       {.columns = "3"},
       Sheet({{kTileA_Pixels,
               {"11111111", "11111111", "11111111", "00000000", "00000001", "00000000", "00000000",
                "00000000"},
               kBlank}})},
      {"columns wrap rows",
       kTileA + kTileA + kTileA,
       {.columns = "2"},
       Sheet({{kTileA_Pixels, kTileA_Pixels}, {kTileA_Pixels, kBlank}})},
      {"count", kTileA + kTileA + kTileA, {.count = "1", .columns = "1"}, kTileA_Pixels},
      {"one bit per pixel",
       kTileB + kTileB,
       {.count = "2", .columns = "2", .bpp = "1"},
       Sheet({{kTileB_Pixels, kTileB_Pixels}})},
      {"scale", kTileB, {.columns = "1", .scale = "3", .bpp = "1"}, Scaled(kTileB_Pixels, 3)},
      {"palette",
       kTileA,
       {.columns = "1", .palette = "102030,ff0000,00FF00,0000FF"},
       kTileA_Pixels,
       custom},
      {"iNES: CHR-ROM after the PRG banks",
       INesHeader(2, 1) + std::string(32768, '\x55') + kTileB + kTileB + std::string(8176, '\0'),
       {.count = "1", .columns = "1"},
       Sheet({{kTileB_Pixels}})},
      {"iNES: a trainer comes before the PRG banks",
       INesHeader(1, 1, 4) + std::string(512 + 16384, '\x55') + kTileA + std::string(8176, '\0'),
       {.count = "1", .columns = "1"},
       kTileA_Pixels},
      {"iNES without CHR-ROM: from the start",
       INesHeader(1, 0),
       {.columns = "1"},
       {"01001110", "01000101", "01010011", "00011010", "00000001", "00000000", "00000000",
        "00000000"}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string rom = dir.write("rom.nes", c.file);
    EXPECT_EQ(WriteTileSheet(rom, c.args).path, dir.file("rom Tiles.png"));
    EXPECT_EQ(ReadPng(dir.file("rom Tiles.png")), Colours(c.expected, c.palette));
  }
}

TEST(TileSheet, DefaultsCoverTheFileUpTo4096TilesIn16Columns) {
  const struct {
    std::size_t bytes;
    std::size_t width, height;
  } cases[] = {{16, 128, 8}, {33 * 16 + 1, 128, 3 * 8}, {5000 * 16, 128, 256 * 8}};
  TempDir dir;
  for (const auto& c : cases) {
    const std::string rom = dir.write("big.bin", std::string(c.bytes, '\xFF'));
    WriteTileSheet(rom, {});
    const auto rows = ReadPng(dir.file("big Tiles.png"));
    ASSERT_EQ(rows.size(), c.height);
    EXPECT_EQ(rows[0].size(), c.width);
    EXPECT_EQ(rows[0][0], 0xFFFFFFu);
  }
}

TEST(TileSheet, BadArgumentsAreRefusedWithAMessage) {
  const std::string rom = kTileA + kTileA;  // 32 bytes, 2 tiles
  const struct {
    std::string file;
    TileArguments args;
    std::string message;
  } cases[] = {
      {"", {}, "The file is empty: it holds no tiles."},
      {rom, {.offset = "20"}, "The offset 20 is past the end of the file (last offset 1F)."},
      {rom, {.offset = "x1"}, "The offset must be 1 to 8 hex digits, not \"x1\"."},
      {rom, {.offset = "-1"}, "The offset must be 1 to 8 hex digits, not \"-1\"."},
      {rom,
       {.count = "0"},
       "The count of tiles must be a whole number from 1 to 65536, not \"0\"."},
      {rom, {.count = "3"}, "The count 3 runs past the end of the file: 2 tiles from offset 0."},
      {rom,
       {.columns = "0"},
       "The number of columns must be a whole number from 1 to 256, not \"0\"."},
      {rom, {.scale = "64"}, "The scale must be a whole number from 1 to 16, not \"64\"."},
      {rom, {.bpp = "4"}, "The bits per pixel must be a whole number from 1 to 2, not \"4\"."},
      {rom,
       {.palette = "black,white"},
       "The palette must be four colours RRGGBB in hex separated by commas, not \"black,white\"."},
      {rom,
       {.palette = "000000,555555,AAAAAA,FFFFFF,"},
       "The palette must be four colours RRGGBB in hex separated by commas, not "
       "\"000000,555555,AAAAAA,FFFFFF,\"."},
      {INesHeader(2, 1),
       {},
       "The iNES header puts CHR-ROM at 8010, past the end of the file (last offset F); give an "
       "offset."},
      {std::string(65536 * 16, '\0'),
       {.count = "65536", .columns = "1", .scale = "16"},
       "The sheet would be 128 x 8388608 pixels, more than 67108864; draw fewer tiles or a "
       "smaller scale."},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string path = dir.write("bad.bin", c.file);
    try {
      WriteTileSheet(path, c.args);
      ADD_FAILURE() << "accepted";
    } catch (const JobError& e) {
      EXPECT_EQ(e.kind(), JobError::Kind::Minor);
      EXPECT_EQ(e.message(), c.message);
      EXPECT_EQ(e.file(), path);
    }
    EXPECT_FALSE(dir.exists("bad Tiles.png"));
  }
}

}  // namespace
}  // namespace morvane
