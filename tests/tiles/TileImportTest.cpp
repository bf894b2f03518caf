// Tile sheets out to PNG and back into a copy of the ROM: round trips, single
// pixels, every kind of PNG the reader takes, and the ones it refuses.
#include <gtest/gtest.h>

#include <cstdio>

#include "PngMaker.h"
#include "patch/PatchFormat.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"
#include "tiles/PngReader.h"
#include "tiles/PngWriter.h"
#include "tiles/TilesImportJob.h"
#include "tiles/TilesJob.h"

namespace morvane {
namespace {

using namespace std::string_literals;
using Options = std::vector<std::pair<std::string, std::string>>;

std::string Noise(std::size_t size, std::uint32_t seed) {
  std::string bytes(size, '\0');
  for (char& b : bytes) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<char>(seed >> 16);
  }
  return bytes;
}

std::string INesHeader(int prgBanks, int chrBanks) {
  return "NES\x1A"s + static_cast<char>(prgBanks) + static_cast<char>(chrBanks) +
         std::string(10, '\0');
}

Settings WithOptions(const Options& options) {
  Settings settings;
  for (const auto& [name, value] : options) settings.options.add(name, value);
  return settings;
}

struct Imported {
  JobResult result;
  ScriptedHost host;
};

void Export(const std::string& rom, const Options& options) {
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  ASSERT_EQ(TilesJob(WithOptions(options), host).outcome, Outcome::Done) << host.lastStatus();
}

Imported Import(const std::string& rom, const std::string& png, const Options& options) {
  Imported run;
  run.host.answer(Dialog::OpenNES, rom).answer(kOpenPng, png);
  run.result = TilesImportJob(WithOptions(options), run.host);
  return run;
}

Options Without(Options options, const std::string& name) {
  std::erase_if(options, [&](const auto& o) { return o.first == name; });
  return options;
}

TEST(TileImport, ExportThenImportGivesTheSameRom) {
  const struct {
    const char* name;
    std::string rom;
    Options options;
  } files[] = {
      {"iNES with CHR-ROM", INesHeader(1, 1) + Noise(16384 + 8192, 1), {}},
      {"iNES, tiles in PRG",
       INesHeader(2, 0) + Noise(32768, 2),
       {{"offset", "4010"}, {"count", "300"}}},
      {"no header", Noise(8192, 3), {}},
      {"no header, a partial last tile", Noise(4096 + 5, 4), {{"columns", "7"}}},
      {"a count short of the last row", Noise(4096, 5), {{"offset", "20"}, {"count", "5"}}},
  };
  TempDir dir;
  for (const auto& file : files) {
    for (const char* bpp : {"1", "2"}) {
      for (const char* layout : {"8x8", "8x16"}) {
        SCOPED_TRACE(std::string(file.name) + ", " + bpp + " bpp, " + layout);
        const std::string rom = dir.write("game.nes", file.rom);
        Options options = file.options;
        options.insert(options.end(), {{"bpp", bpp}, {"layout", layout}});
        Export(rom, options);
        const Imported run = Import(rom, dir.file("game Tiles.png"), options);
        ASSERT_EQ(run.result.outcome, Outcome::Done) << run.host.lastStatus();
        EXPECT_EQ(run.result.written, std::vector<std::string>{dir.file("game_Modified.nes")});
        EXPECT_TRUE(run.host.lastStatus().starts_with("Tiles Import Done: 0 of "));
        EXPECT_EQ(Slurp(dir.file("game_Modified.nes")), file.rom);
        std::remove(dir.file("game_Modified.nes").c_str());
      }
    }
  }
}

TEST(TileImport, OnePixelChangesItsTwoPlaneBits) {
  const struct {
    const char* bpp;
    const char* layout;
    int x, y;
    std::vector<std::size_t> bytes;  // the bytes that change, each in bit 7 - x % 8
  } cases[] = {
      {"2", "8x8", 13, 21, {533, 541}},   // tile 33, row 5
      {"2", "8x16", 13, 21, {549, 557}},  // cell 17's top tile, 34, row 5
      {"2", "8x16", 2, 10, {18, 26}},     // cell 0's bottom tile, 1, row 2
      {"1", "8x8", 7, 0, {0}},
      {"1", "8x16", 8, 9, {25}},  // cell 1's bottom tile, 3, row 1
  };
  TempDir dir;
  const std::string original = Noise(4096, 7);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.bpp) + " bpp, " + c.layout);
    const std::string rom = dir.write("game.nes", original);
    const Options options = {{"bpp", c.bpp}, {"layout", c.layout}, {"patch", "bps"}};
    Export(rom, Without(options, "patch"));
    IndexedImage sheet =
        DecodeSheetPng(Slurp(dir.file("game Tiles.png")), kDefaultPalette, "Tiles", "sheet");
    auto& pixel = sheet.pixels[static_cast<std::size_t>(c.y * sheet.width + c.x)];
    pixel ^= 3;
    const std::string png = dir.write("edited.png", EncodePng(sheet, kDefaultPalette));
    const Imported run = Import(rom, png, options);
    ASSERT_EQ(run.result.outcome, Outcome::Done) << run.host.lastStatus();
    EXPECT_TRUE(run.host.lastStatus().starts_with("Tiles Import Done: 1 of "));
    std::string expected = original;
    for (const std::size_t at : c.bytes) expected[at] ^= static_cast<char>(0x80 >> (c.x % 8));
    const std::string written = Slurp(dir.file("game_Modified.nes"));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(ApplyPatch(original, Slurp(dir.file("game_Modified.bps"))), written);
  }
}

// The sheet of a ROM as each kind of PNG an editor may save it as.
TEST(TileImport, EveryKindOfPngReadsTheSame) {
  TempDir dir;
  const std::string original = Noise(4096, 9);
  const std::string rom = dir.write("game.nes", original);
  const IndexedImage sheet = RenderSheet(original, {0, 256, 16, 1, 2});
  const auto samples = [&](int channels, const std::vector<std::uint16_t>& colours, int alpha) {
    std::vector<std::uint16_t> out;
    for (const std::uint8_t p : sheet.pixels) {
      const std::uint16_t c = colours[p];
      if (channels >= 3)
        out.insert(out.end(), {std::uint16_t(c >> 16 & 0xFF), std::uint16_t(c >> 8 & 0xFF)});
      out.push_back(channels >= 3 ? c & 0xFF : c);
      if (alpha >= 0) out.push_back(static_cast<std::uint16_t>(alpha));
    }
    return out;
  };
  const std::vector<std::uint16_t> greys = {0, 0x55, 0xAA, 0xFF};
  const auto values = samples(1, {0, 1, 2, 3}, -1);
  std::vector<std::uint32_t> wide(256, 0x123456);
  const struct {
    const char* name;
    PngSpec spec;
    Options options;
  } cases[] = {
      {"indexed, 2 bits, interlaced", {128, 128, 3, 2, true, {}, values}, {}},
      {"indexed, 256 colours listed", {128, 128, 3, 8, false, wide, values}, {}},
      {"grey, 2 bits", {128, 128, 0, 2, false, {}, values}, {}},
      {"grey, 8 bits", {128, 128, 0, 8, false, {}, samples(1, greys, -1)}, {}},
      {"grey and alpha", {128, 128, 4, 8, false, {}, samples(2, greys, 255)}, {}},
      {"RGB in a palette of its own",
       {128, 128, 2, 8, false, {}, samples(3, {0x0000, 0x0F, 0xF0, 0xFF}, -1)},
       {{"palette", "000000,00000F,0000F0,0000FF"}}},
      {"RGBA, opaque",
       {128, 128, 6, 8, false, {}, samples(4, {0, 0x55, 0xAA, 0xFF}, 255)},
       {{"palette", "000000,000055,0000AA,0000FF"}}},
  };
  for (auto c : cases) {
    SCOPED_TRACE(c.name);
    if (c.spec.plte.empty()) c.spec.plte = {0, 0x555555, 0xAAAAAA, 0xFFFFFF};
    const std::string png = dir.write("sheet.png", MakePng(c.spec));
    const Imported run = Import(rom, png, c.options);
    ASSERT_EQ(run.result.outcome, Outcome::Done) << run.host.lastStatus();
    EXPECT_EQ(run.host.lastStatus(), "Tiles Import Done: 0 of 256 tiles changed");
    EXPECT_EQ(Slurp(dir.file("game_Modified.nes")), original);
    std::remove(dir.file("game_Modified.nes").c_str());
  }
  // Blank cells after the end of the ROM are the ones a sheet draws after its
  // last tile; they are left out.
  PngSpec longer{128, 136, 3, 8, false, {0, 0x555555, 0xAAAAAA, 0xFFFFFF}, values};
  longer.samples.resize(128 * 136, 0);
  const Imported run = Import(rom, dir.write("sheet.png", MakePng(longer)), {});
  EXPECT_EQ(run.host.lastStatus(), "Tiles Import Done: 0 of 256 tiles changed");
}

TEST(TileImport, BadSheetsAreRefusedAndNothingIsWritten) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", Noise(4096, 11));
  const auto indexed = [](int width, int height, std::vector<std::pair<int, int>> set = {}) {
    PngSpec spec{.width = width, .height = height, .samples = {}};
    spec.samples.resize(static_cast<std::size_t>(width * height), 0);
    for (const auto& [at, value] : set)
      spec.samples[static_cast<std::size_t>(at)] = static_cast<std::uint16_t>(value);
    return spec;
  };
  PngSpec five = indexed(128, 8, {{3, 4}});
  five.plte.push_back(0xFF0000);
  PngSpec deep{.width = 128, .height = 8, .colourType = 0, .depth = 16, .samples = {}};
  PngSpec rgb{.width = 128, .height = 8, .colourType = 2, .samples = {}};
  rgb.samples.resize(128 * 8 * 3, 0);
  rgb.samples[(2 * 128 + 5) * 3] = 0x12;
  rgb.samples[(2 * 128 + 5) * 3 + 1] = 0x34;
  rgb.samples[(2 * 128 + 5) * 3 + 2] = 0x56;
  PngSpec clear{.width = 128, .height = 8, .colourType = 6, .samples = {}};
  const std::string cut = MakePng(indexed(128, 128, {{77, 3}}));
  const struct {
    const char* name;
    std::string png;
    Options options;
    std::string message;
  } cases[] = {
      {"cut short", cut.substr(0, cut.size() / 2), {}, "The PNG image is damaged or cut short ("},
      {"not a PNG", "GIF89a" + std::string(100, '\0'), {}, "The file is not a PNG image."},
      {"five colours",
       MakePng(five),
       {},
       "The pixel at 3, 0 has colour number 4 (FF0000); tiles have only the colours 0 to 3."},
      {"16 bits",
       MakePng(deep),
       {},
       "The PNG image has 16 bits a channel; save it with 8 bits a channel, or indexed."},
      {"no pixels",
       PngChunks({{"IHDR", IhdrData(0, 8, 8, 3)}, {"IEND", ""}}),
       {},
       "The PNG image is 0 x 8 pixels: it holds no tiles."},
      {"too many pixels",
       PngChunks({{"IHDR", IhdrData(8192, 8193, 8, 0)}, {"IDAT", ""}, {"IEND", ""}}),
       {},
       "The PNG image is 8192 x 8193 pixels, more than 67108864."},
      {"a colour not in the palette",
       MakePng(rgb),
       {},
       "The pixel at 5, 2 is 123456, which is none of the palette's colours "
       "000000,555555,AAAAAA,FFFFFF."},
      {"transparent",
       MakePng(clear),
       {},
       "The pixel at 0, 0 is not opaque (alpha 0): tiles have no transparency."},
      {"not whole tiles",
       MakePng(indexed(100, 8)),
       {},
       "The image is 100 x 8 pixels, which does not fit whole tiles: its width must be a "
       "multiple of 8 and its height of 8."},
      {"not whole pairs",
       MakePng(indexed(128, 8)),
       {{"layout", "8x16"}},
       "The image is 128 x 8 pixels, which does not fit whole tiles: its width must be a "
       "multiple of 8 and its height of 16."},
      {"other columns",
       MakePng(indexed(256, 8)),
       {},
       "The image is 256 pixels wide, but 16 columns of tiles are 128: give the columns it was "
       "drawn with."},
      {"past the end",
       MakePng(indexed(128, 136, {{128 * 130 + 3, 2}})),
       {},
       "Tile 256 (at 0, 128) runs past the end of the ROM: it would lie at offset 1000, and "
       "the ROM ends at 1000."},
      {"1-bit tile in colour 1",
       MakePng(indexed(128, 8, {{1, 1}})),
       {{"bpp", "1"}},
       "Tile 0 (at 0, 0) has a pixel of colour 1; a 1-bit tile has only the colours 0 and 3."},
      {"count",
       MakePng(indexed(128, 8)),
       {{"count", "17"}},
       "The count 17 is more than the 16 tiles the image holds."},
      {"layout",
       MakePng(indexed(128, 8)),
       {{"layout", "8x32"}},
       "The layout must be 8x8 or 8x16, not \"8x32\"."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string png = dir.write("sheet.png", c.png);
    Imported run = Import(rom, png, c.options);
    EXPECT_EQ(run.result.outcome, Outcome::Warned);
    EXPECT_TRUE(run.result.written.empty());
    ASSERT_EQ(run.host.warnings.size(), 1u);
    const std::string& text = run.host.warnings[0].second;
    EXPECT_TRUE(text.starts_with(c.message)) << text;
    const std::string named = c.name == std::string("layout") ? rom : png;
    EXPECT_TRUE(text.ends_with("Filename accessed -> " + named)) << text;
    EXPECT_FALSE(dir.exists("game_Modified.nes"));
  }
}

// A second reader, with zlib alone, sees the values and colours libpng wrote.
TEST(TileImport, SheetReadsTheSameWithoutLibpng) {
  TempDir dir;
  const std::string tileA = "\x80\x00\x81\x00\x50\x00\x00\xFF\x00\x80\x80\x00\x30\x00\x00\xFF"s;
  const std::string rom = dir.write(
      "three.bin", tileA + std::string(8, '\xFF') + std::string(16, '\0') + std::string(8, '\xFF'));
  Export(rom, {{"columns", "2"}, {"layout", "8x16"}, {"palette", "102030,ff0000,00FF00,0000FF"}});
  const std::string command =
      "python3 " MORVANE_TOOLS_DIR "/png_pixels.py \"" + dir.file("three Tiles.png") + "\"";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  if (pclose(pipe) != 0 && out.empty()) GTEST_SKIP() << "no python3";
  EXPECT_EQ(out,
            "IHDR PLTE IDAT IEND\n16 16 colour type 3 depth 8\n102030,FF0000,00FF00,0000FF\n"
            "1000000022222222\n2000000022222222\n3000000122222222\n0000000022222222\n"
            "0123000022222222\n0000000022222222\n0000000022222222\n3333333322222222\n"
            "1111111100000000\n1111111100000000\n1111111100000000\n1111111100000000\n"
            "1111111100000000\n1111111100000000\n1111111100000000\n1111111100000000\n");
}

}  // namespace
}  // namespace morvane
