#include <gtest/gtest.h>

#include <random>
#include <set>

#include "SheetBitmap.h"
#include "games/RomSplice.h"
#include "games/RomanciaEncoder.h"
#include "games/RomanciaGraphics.h"
#include "games/RomanciaSheet.h"
#include "patch/PatchFormat.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// The game's decoder: chunks until the end byte. used is set to the stream's
// length; a stream without an end byte decodes to what it holds.
std::string Decode(std::string_view stream, std::size_t& used) {
  std::string out;
  std::size_t at = 0;
  while (at < stream.size()) {
    const auto chunk = static_cast<std::uint8_t>(stream[at++]);
    if (chunk == 0) break;
    if (chunk < 0x80) {
      out.append(stream.substr(at, chunk));
      at += chunk;
    } else {
      out.append(chunk - 0x80u, at < stream.size() ? stream[at] : '\0');
      ++at;
    }
  }
  used = at;
  return out;
}

std::string Bytes(const PatternBank& bank) {
  return std::string(bank.begin(), bank.begin() + kBankSize);
}

std::string Repeat(int count, std::string_view chunk) {
  std::string out;
  for (int i = 0; i < count; ++i) out += chunk;
  return out;
}

TEST(RomanciaEncoder, WorkedExamples) {
  PatternBank bank{};
  EXPECT_EQ(EncodeBank(bank),
            Repeat(32, std::string("\xFF\x00", 2)) + std::string("\xA0\x00\x00", 3));
  bank.fill(0x5A);
  bank[kBankSize] = 0;
  EXPECT_EQ(EncodeBank(bank), Repeat(32, "\xFF\x5A") + std::string("\xA0\x5A\x00", 3));

  bank.fill(0x44);
  bank[kBankSize] = 0;
  bank[0] = 0x11;
  bank[1] = 0x22;
  bank[2] = 0x33;
  // 4093 bytes of 44 remain: 32 full runs and one of 29.
  EXPECT_EQ(EncodeBank(bank),
            "\x81\x11\x02\x22\x33" + Repeat(32, "\xFF\x44") + std::string("\x9D\x44\x00", 3));
}

TEST(RomanciaEncoder, LiteralsStopAtThreeEqualBytesAnd127) {
  PatternBank bank{};
  for (int i = 0; i < kBankSize; ++i) bank[i] = static_cast<std::uint8_t>(i % 2 + 1);
  const std::string stream = EncodeBank(bank);
  // A run of one, then literal chunks of 127 each followed by a run of one.
  ASSERT_GE(stream.size(), 2u + 1 + 127 + 2);
  EXPECT_EQ(stream.substr(0, 3), "\x81\x01\x7F");
  EXPECT_EQ(stream.substr(3, 127), std::string(bank.begin() + 1, bank.begin() + 128));
  EXPECT_EQ(stream.substr(130, 2), "\x81\x01");
}

TEST(RomanciaEncoder, RoundTripsEveryBank) {
  std::vector<PatternBank> banks;
  PatternBank bank{};
  bank[kBankSize - 1] = 7;  // a last byte unlike the one before it
  banks.push_back(bank);
  bank.fill(0);
  bank[kBankSize - 2] = 1;  // a literal that reaches the end
  bank[kBankSize - 1] = 2;
  banks.push_back(bank);
  bank.fill(9);
  bank[kBankSize] = 0;
  bank[kBankSize - 1] = 0;  // equal to the zero after the bank
  bank[kBankSize - 2] = 0;
  banks.push_back(bank);
  std::mt19937 random(42);
  for (int n = 0; n < 40; ++n) {
    bank.fill(0);
    const int spread = 1 + n % 5;  // from noise to long runs
    for (int i = 0; i < kBankSize; ++i) {
      bank[i] = random() % 3 == 0 || i == 0 ? static_cast<std::uint8_t>(random() % (spread * 2))
                                            : bank[i - 1];
    }
    banks.push_back(bank);
  }
  for (std::size_t n = 0; n < banks.size(); ++n) {
    const std::string stream = EncodeBank(banks[n]);
    std::size_t used = 0;
    EXPECT_EQ(Decode(stream, used), Bytes(banks[n])) << n;
    EXPECT_EQ(used, stream.size()) << n;
    EXPECT_EQ(StreamLength(stream + "junk", 0), static_cast<std::int64_t>(stream.size())) << n;
  }
}

TEST(RomanciaEncoder, StreamLengthFollowsChunks) {
  const std::string rom("\x55\x03\x00\x00\x00\x85\x00\x00\x99", 9);
  EXPECT_EQ(StreamLength(rom, 1), 7);
  EXPECT_EQ(StreamLength(rom, 2), 1);
  EXPECT_EQ(StreamLength(rom, 5), 3);
  EXPECT_EQ(StreamLength(rom, 8), std::nullopt);  // no end byte before the file ends
  EXPECT_EQ(StreamLength(std::string("\x05\x00", 2), 0), std::nullopt);
}

TEST(RomanciaSheet, LayoutAndPositions) {
  const SheetLayout& layout = RomanciaSheetLayout();
  for (int b = 0; b < 2; ++b) {
    std::set<int> tiles;
    int cells = 0;
    for (int c = 0; c < kSheetColumns; ++c) {
      for (int r = 0; r < kSheetRows; ++r) {
        if (layout[b][c][r] == kNoTile) continue;
        ++cells;
        EXPECT_TRUE(tiles.insert(layout[b][c][r]).second) << b << " " << c << " " << r;
      }
    }
    EXPECT_EQ(cells, b == 0 ? 221 : 220);
  }
  const TilePositions at = BuildTilePositions(layout);
  EXPECT_EQ(at[0][0xD8].column, 29);
  EXPECT_EQ(at[0][0xD8].row, 1);
  EXPECT_EQ(at[0][0xFC].column, 0);
  EXPECT_EQ(at[0][0xFC].row, 9);
  EXPECT_EQ(at[1][0x05].column, 4);
  EXPECT_EQ(at[1][0x05].row, 13);
  EXPECT_EQ(at[1][0x90].column, 24);
  EXPECT_EQ(at[1][0x90].row, 26);
  EXPECT_EQ(at[0][0x0F].column, kOffSheet);
  EXPECT_EQ(at[1][0x0F].column, kOffSheet);
  EXPECT_EQ(at[1][0x00].column, kOffSheet);
  EXPECT_EQ(SheetRowOffset(0, 0, 0), 118 + 160 * 268);
  EXPECT_EQ(SheetRowOffset(31, 29, 7), 118 + 155);
}

// A blank tile sheet; pixels are set by their place from the top left.
struct Sheet {
  std::string bytes;
  Sheet() : bytes(BlankSheetBitmap()) {}
  void pixel(int x, int y, int colour) {
    char& pair = bytes[118 + 160 * (268 - y) + x / 2];
    const int shift = x % 2 == 0 ? 4 : 0;
    pair = static_cast<char>((static_cast<std::uint8_t>(pair) & ~(15 << shift)) | colour << shift);
  }
  // Pixel (px, d) of the tile in sheet cell (c, r).
  void tilePixel(int c, int r, int px, int d, int colour) { pixel(10 * c + px, 9 * r + d, colour); }
};

TEST(RomanciaSheet, TilesTakeTwoLowBitsAsPlanes) {
  Sheet sheet;
  // Bank 0 tile D8 (column 29, row 1): colour 1 left, colour 2 right, 15 in the middle.
  sheet.tilePixel(29, 1, 0, 0, 1);
  sheet.tilePixel(29, 1, 7, 0, 2);
  sheet.tilePixel(29, 1, 3, 5, 15);
  sheet.tilePixel(29, 1, 4, 5, 12);  // bits 2 and 3 only: nothing
  // Cell padding is never read.
  sheet.tilePixel(29, 1, 8, 0, 3);
  sheet.tilePixel(29, 1, 0, 8, 3);
  // Bank 1 tile 05 (column 4, row 13): a full row of colour 3.
  for (int px = 0; px < 8; ++px) sheet.tilePixel(4, 13, px, 7, 3);
  ASSERT_EQ(CheckSheetBitmap(sheet.bytes), "");
  const auto banks = ReadSheet(sheet.bytes);
  PatternBank bank0{};
  bank0[0xD8 * 16 + 0] = 0x80;
  bank0[0xD8 * 16 + 8] = 0x01;
  bank0[0xD8 * 16 + 5] = 0x10;
  bank0[0xD8 * 16 + 13] = 0x10;
  PatternBank bank1{};
  bank1[0x05 * 16 + 7] = 0xFF;
  bank1[0x05 * 16 + 15] = 0xFF;
  EXPECT_EQ(Bytes(banks[0]), Bytes(bank0));
  EXPECT_EQ(Bytes(banks[1]), Bytes(bank1));
  EXPECT_EQ(banks[0][kBankSize], 0);
}

TEST(RomanciaSheet, OnlyTheExpectedBitmapIsAccepted) {
  Sheet good;
  EXPECT_EQ(CheckSheetBitmap(good.bytes), "");
  const auto with = [&](std::size_t at, char value) {
    std::string b = good.bytes;
    b[at] = value;
    return CheckSheetBitmap(b);
  };
  EXPECT_NE(with(0, 'X'), "");      // no signature
  EXPECT_NE(with(28, 8), "");       // 8 bits per pixel
  EXPECT_NE(with(18, 0x41), "");    // 321 wide
  EXPECT_NE(with(25, '\xFF'), "");  // negative height: top-down
  EXPECT_NE(with(30, 2), "");       // compressed
  EXPECT_NE(with(10, 120), "");     // pixels elsewhere
  EXPECT_NE(CheckSheetBitmap(good.bytes.substr(0, good.bytes.size() - 1)), "");
  EXPECT_NE(CheckSheetBitmap("BM"), "");
}

// A ROM with old streams of the given lengths at 277Ch and 3302h.
std::string MakeRom(std::size_t size, int old1, int old0) {
  std::string rom(size, '\0');
  for (std::size_t i = 0; i < size; ++i) rom[i] = static_cast<char>(i * 7 + 3);
  const auto stream = [&](std::size_t at, int length) {
    // Literal chunks of 5 ones, then the end byte.
    for (int n = 0; n < length - 1; ++n) rom[at + n] = n % 6 == 0 ? std::min(5, length - 2 - n) : 1;
    rom[at + length - 1] = 0;
  };
  stream(0x277C, old1);
  stream(0x3302, old0);
  return rom;
}

struct GraphicsRun {
  TempDir dir;
  ScriptedHost host;
  JobResult result;
  std::string out;
  Settings settings;
  void run(const std::string& rom, const std::string& bmp) {
    host.answer(Dialog::OpenNES, dir.write("game.nes", rom));
    host.answer(Dialog::OpenBmp, dir.write("sheet.bmp", bmp));
    result = RomanciaGraphicsJob(settings, host);
    out = Slurp(dir.file("game_Modified.nes"));
  }
};

TEST(RomanciaGraphics, WritesBothStreamsInPlaceAndNothingElse) {
  Sheet sheet;
  for (int px = 0; px < 8; ++px) sheet.tilePixel(4, 13, px, 7, 3);  // bank 1 tile 05
  sheet.tilePixel(0, 9, 2, 3, 1);                                   // bank 0 tile FC
  const std::string rom = MakeRom(0x8010, 200, 300);
  GraphicsRun run;
  run.run(rom, sheet.bytes);
  EXPECT_EQ(run.result.outcome, Outcome::Done);
  EXPECT_TRUE(run.host.errors.empty());
  EXPECT_TRUE(run.host.warnings.empty());
  EXPECT_EQ(run.host.busyLeft, 1);
  ASSERT_EQ(run.out.size(), rom.size());
  const auto banks = ReadSheet(sheet.bytes);
  const std::string s1 = EncodeBank(banks[1]);
  const std::string s0 = EncodeBank(banks[0]);
  std::size_t used = 0;
  EXPECT_EQ(Decode(std::string_view(run.out).substr(0x277C), used), Bytes(banks[1]));
  EXPECT_EQ(used, s1.size());
  EXPECT_EQ(Decode(std::string_view(run.out).substr(0x3302), used), Bytes(banks[0]));
  EXPECT_EQ(used, s0.size());
  EXPECT_EQ(static_cast<std::uint8_t>(banks[1][0x05 * 16 + 7]), 0xFF);
  for (std::size_t i = 0; i < rom.size(); ++i) {
    const bool inStream =
        (i >= 0x277C && i < 0x277C + s1.size()) || (i >= 0x3302 && i < 0x3302 + s0.size());
    if (!inStream) {
      ASSERT_EQ(run.out[i], rom[i]) << std::hex << i;
    }
  }
}

TEST(RomanciaGraphics, WritesTheAskedPatch) {
  const std::string rom = MakeRom(0x8010, 200, 300);
  GraphicsRun run;
  run.settings.options.add("patch", "bps");
  run.run(rom, Sheet().bytes);
  ASSERT_EQ(run.result.outcome, Outcome::Done);
  const std::string patch = run.dir.file("game_Modified.bps");
  EXPECT_EQ(run.result.written.back(), patch);
  EXPECT_EQ(ApplyPatch(rom, Slurp(patch)), run.out);
}

TEST(RomanciaGraphics, RefusesWhatWouldNotFit) {
  Sheet sheet;
  {  // bank 1's old stream is a single end byte: nothing fits there
    GraphicsRun run;
    run.run(MakeRom(0x8010, 1, 300), sheet.bytes);
    EXPECT_EQ(run.result.outcome, Outcome::Warned);
    ASSERT_EQ(run.host.warnings.size(), 1u);
    EXPECT_EQ(run.host.warnings[0].first, "Error during Insert Graphics");
    EXPECT_NE(run.host.warnings[0].second.find("277Ch"), std::string::npos);
    EXPECT_FALSE(run.dir.exists("game_Modified.nes"));
  }
  {  // bank 0's stream has no end byte before the file ends
    std::string rom = MakeRom(0x8010, 200, 300);
    for (std::size_t i = 0x3302; i < rom.size(); ++i) rom[i] = '\x81';
    GraphicsRun run;
    run.run(rom, sheet.bytes);
    EXPECT_EQ(run.result.outcome, Outcome::Warned);
    EXPECT_FALSE(run.dir.exists("game_Modified.nes"));
  }
  {  // a bitmap that is not the sheet
    GraphicsRun run;
    run.run(MakeRom(0x8010, 200, 300), sheet.bytes.substr(0, 5000));
    EXPECT_EQ(run.result.outcome, Outcome::Warned);
    ASSERT_EQ(run.host.warnings.size(), 1u);
    EXPECT_NE(run.host.warnings[0].second.find("sheet.bmp"), std::string::npos);
    EXPECT_FALSE(run.dir.exists("game_Modified.nes"));
  }
}

TEST(RomanciaGraphics, ErrorsNameTheStep) {
  Sheet sheet;
  {
    GraphicsRun run;
    run.run(MakeRom(0x3400, 200, 1).substr(0, 0x2780), sheet.bytes);
    EXPECT_EQ(run.result.outcome, Outcome::Failed);
    ASSERT_EQ(run.host.errors.size(), 1u);
    EXPECT_EQ(run.host.errors[0],
              "Error #62 -> Input past end of file\r\n\r\nError during Insert Graphics:\r\n"
              "Skip ROM section until laStart = 277C\r\n\r\nThe ROM holds 10112 bytes: too few for "
              "the 67 bytes of the tile stream at file offset 277Ch.");
  }
  {
    TempDir dir;
    ScriptedHost host;
    host.answer(Dialog::OpenNES, dir.file("missing.nes"));
    host.answer(Dialog::OpenBmp, dir.write("s.bmp", sheet.bytes));
    EXPECT_EQ(RomanciaGraphicsJob(Settings{}, host).outcome, Outcome::Failed);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(
        host.errors[0],
        "Error #53 -> File not found\r\n\r\nError during Insert Graphics:\r\nOpen Files\r\n\r\n"
        "Filename accessed -> " +
            dir.file("missing.nes") + "\r\n\r\nThe file does not exist.");
  }
  {
    ScriptedHost host;
    host.answer(Dialog::OpenNES, "x.nes");
    host.answer(Dialog::OpenBmp, std::nullopt);
    EXPECT_EQ(RomanciaGraphicsJob(Settings{}, host).outcome, Outcome::Cancelled);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.busyEntered, 1);
    EXPECT_EQ(host.busyLeft, 1);
  }
}

TEST(RomanciaGraphics, OutputLosesTheLastFourCharacters) {
  EXPECT_EQ(ModifiedName("C:\\roms\\game.nes", "_Modified.nes"), "C:\\roms\\game_Modified.nes");
  EXPECT_EQ(ModifiedName("C:\\roms\\ab", "_Modified.nes"), "C:\\rom_Modified.nes");
  EXPECT_EQ(ModifiedName("dir/game.fds", "_Modified.nes"), "dir/game_Modified.nes");
}

}  // namespace
}  // namespace morvane
