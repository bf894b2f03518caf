#include "shell/ListingWords.h"
#include "shell/Values.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(Values, HexFormatting) {
  EXPECT_EQ(PadHex(0x1F, 4, "0"), "001F");
  EXPECT_EQ(PadHex(0x12345, 4, "0"), "12345");
  EXPECT_EQ(PadHex(-1, 4, "0"), "FFFFFFFF");
  EXPECT_EQ(HexByte(0x0A, "0"), "0A");
  EXPECT_EQ(HexOffset(0x10, " "), "   10");
  EXPECT_EQ(HexUnsignedByte(-1), "FF");
  EXPECT_EQ(HexUnsignedByte(10), "A");
  EXPECT_EQ(HexSigned(-16), "-10");
  EXPECT_EQ(HexSigned(0x7FF0), "7FF0");
}

TEST(Values, AppendHexAgreesWithPadHex) {
  for (const std::uint32_t v : {0u, 1u, 0xFu, 0x10u, 0xABu, 0x100u, 0xFFFFu, 0x10000u, 0x1007Cu,
                                0xFFFFFF82u, 0xFFFFFFFFu}) {
    for (int width = 0; width <= 9; ++width) {
      std::string upper = "x";
      std::string lower = "x";
      AppendHex(upper, v, width);
      AppendHex(lower, v, width, true);
      const std::string padded = PadHex(static_cast<std::int32_t>(v), width, "0");
      EXPECT_EQ(upper, "x" + padded) << v << " " << width;
      EXPECT_EQ(lower, "x" + LowerCase(padded)) << v << " " << width;
    }
  }
}

TEST(Values, HexParsing) {
  EXPECT_EQ(HexToLong("-1F"), -31);
  EXPECT_EQ(HexToLong("1G"), -1);
  EXPECT_EQ(HexToLong("12345678"), -2);
  EXPECT_EQ(HexToLong(""), -1);
  EXPECT_EQ(HexToLong("-"), -1);
  EXPECT_EQ(HexToLong("ffff"), 0xFFFF);
  EXPECT_EQ(HexToLong("1234567"), 0x1234567);
  EXPECT_FALSE(IsHex(""));
  EXPECT_FALSE(IsHex("-5"));
  EXPECT_TRUE(IsHex("aF09"));
  EXPECT_TRUE(IsSignedHex("-5"));
  EXPECT_FALSE(IsSignedHex("-"));
  EXPECT_FALSE(IsSignedHex("--5"));
}

TEST(Values, HexTestAgreesWithParserOnEveryCharacter) {
  for (int c = 0; c < 256; ++c) {
    const std::string text(1, static_cast<char>(c));
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    EXPECT_EQ(IsHex(text), hex) << c;
    EXPECT_EQ(HexToLong(text) >= 0, hex) << c;
  }
}

TEST(Values, BlockNumbers) {
  EXPECT_TRUE(IsBlockNumber("1."));
  EXPECT_TRUE(IsBlockNumber(".5"));
  EXPECT_TRUE(IsBlockNumber("12"));
  EXPECT_FALSE(IsBlockNumber("1.2.3"));
  EXPECT_FALSE(IsBlockNumber("."));
  EXPECT_FALSE(IsBlockNumber(""));
  EXPECT_FALSE(IsBlockNumber("-1"));
  EXPECT_FALSE(IsBlockNumber("1e3"));
}

TEST(Values, ExtractStringWalksFields) {
  const std::string row = "a\tbc\t\td";
  std::int32_t i = 0;
  EXPECT_EQ(ExtractString(row, i), "a");
  EXPECT_EQ(ExtractString(row, i), "bc");
  EXPECT_EQ(ExtractString(row, i), "");
  EXPECT_EQ(ExtractString(row, i), "d");
  EXPECT_EQ(i, 7);
  EXPECT_EQ(ExtractString(row, i), "");
  EXPECT_EQ(i, 7);

  const std::string trailing = "x\t";
  i = 0;
  EXPECT_EQ(ExtractString(trailing, i), "x");
  EXPECT_EQ(i, 2);
  EXPECT_EQ(ExtractString(trailing, i), "");
}

TEST(Values, Paths) {
  EXPECT_EQ(FolderOf("C:\\roms\\game.nes"), "C:\\roms\\");
  EXPECT_EQ(FileNameOf("C:\\roms\\game.nes"), "game.nes");
  EXPECT_EQ(StripExtension("C:\\roms\\game.nes"), "C:\\roms\\game");
  EXPECT_EQ(FolderOf("game.nes"), "");
  EXPECT_EQ(StripExtension("C:\\my.dir\\game"), "C:\\my");
  EXPECT_EQ(FolderOf("/home/u/roms/game.nes"), "/home/u/roms/");
  EXPECT_EQ(FileNameOf("/home/u/roms/game.nes"), "game.nes");
  EXPECT_EQ(StripExtension("noext"), "noext");
}

TEST(Values, LastCharsNeverSplitAUtf8Character) {
  struct Case {
    std::string text;
    std::size_t n, start;
  };
  for (const Case& c :
       {Case{"game.nes", 4, 4}, Case{"ab", 4, 0}, Case{"\xE3\x83\xAD\xE3\x83\xA0", 1, 3},
        Case{"\xE3\x83\xAD\xE3\x83\xA0", 3, 0}, Case{"x\xC3\xA9.nes", 5, 1},
        Case{"x\xF0\x9F\x8E\xAEy", 2, 1}, Case{"\x83\x83\x83\x83", 2, 2}, Case{"a\xE3\x83", 1, 2},
        Case{"\x81\xAB", 1, 1}}) {
    EXPECT_EQ(LastCharsStart(c.text, c.n), c.start) << c.text << " " << c.n;
  }
}

TEST(Values, Filters) {
  EXPECT_EQ(ValidateFilename("A:B?.txt"), "A'B'.txt");
  EXPECT_EQ(ValidateFilename("a b"), "a b");
  EXPECT_EQ(PrintableOnly("~\t\x7F"), std::string("~\x95\x95"));
  for (int c = 0; c < 256; ++c) {
    const std::string one(1, static_cast<char>(c));
    const bool printable = c >= 32 && c <= 126;
    EXPECT_EQ(PrintableOnly(one) == one, printable || c == 149) << c;
    const bool forbidden =
        c < 32 || c >= 127 ||
        std::string("\"*/:<>?\\|").find(static_cast<char>(c)) != std::string::npos;
    EXPECT_EQ(ValidateFilename(one) == "'", forbidden || c == '\'') << c;
  }
}

TEST(Values, ByteLineAndBits) {
  EXPECT_EQ(ByteLine(0xA9, true), "\t\t.byte $A9\t;\t");
  EXPECT_EQ(ByteLine(0x05, false), "\t\t.byte $05\t;");
  const BitChars bits{".", "#"};
  EXPECT_EQ(BitsToChars("81", bits, true), "#......#");
  EXPECT_EQ(BitsToChars("81", bits, false), "#......#");
  EXPECT_EQ(BitsToChars("01", bits, true), ".......#");
  EXPECT_EQ(BitsToChars("01", bits, false), "#.......");
  EXPECT_EQ(BitsToChars("F", bits, true), "####....");
  EXPECT_EQ(BitsToChars("0180", bits, true), ".......##.......");
  EXPECT_EQ(BitsToChars("xy", bits, true), "");
}

}  // namespace
}  // namespace morvane
