// What the CPU sees of a ROM file: the mapper read from each kind of
// header, and which file bank lies at 8000 and C000 for each kind of mapper.
#include <gtest/gtest.h>

#include "trace/RomMap.h"

namespace morvane::test {
namespace {

// A header (bytes 4 on), then banks of 16 KiB, each filled with its number.
std::string File(std::initializer_list<int> header, int banks) {
  std::string rom("NES\x1A", 4);
  for (const int b : header) rom += static_cast<char>(b);
  rom.resize(16, '\0');
  for (int n = 0; n < banks; ++n) rom += std::string(0x4000, static_cast<char>(n));
  return rom;
}

TEST(RomMap, ReadsTheMapperFromEachKindOfHeader) {
  struct Case {
    const char* what;
    std::string rom;
    int mapper, prgBanks;
  };
  std::string diskDude = File({8, 0, 0x40}, 0);
  diskDude.replace(7, 9, "DiskDude!");
  const Case cases[] = {
      {"iNES", File({2, 1, 0x41, 0x10}, 0), 0x14, 2},
      {"old text in the header's end", diskDude, 4, 8},
      {"NES 2.0", File({4, 0, 0x10, 0x28, 0x01, 0x01}, 0), 0x121, 0x104},
      {"NES 2.0 size as a power of two", File({4, 0, 0x10, 0x28, 0, 0x0F}, 0), 0x21, 4},
      {"trainer", File({1, 0, 0x44}, 0), 4, 1},
  };
  for (const Case& c : cases) {
    const INesHeader h = ReadINesHeader(c.rom);
    EXPECT_EQ(h.mapper, c.mapper) << c.what;
    EXPECT_EQ(h.prgBanks, c.prgBanks) << c.what;
  }
  EXPECT_EQ(ReadINesHeader(File({1, 0, 0x44}, 0)).prgOffset, 16 + 512);
}

TEST(RomMap, PutsTheDumpedBlockAndTheBankTheMapperFixes) {
  struct Case {
    const char* what;
    int mapper, banks, block, base;
    int at8000, atC000;  // the file bank seen there (-1: none)
    int others = 0;      // the switched banks offered beside the fixed one
  };
  const Case cases[] = {
      {"NROM 16 KiB", 0, 1, 0, 0xC000, 0, 0},
      {"NROM 32 KiB", 0, 2, 1, 0x8000, 0, 1},
      {"MMC1 32 KiB", 1, 2, 0, 0x8000, 0, 1},
      {"UxROM", 2, 8, 3, 0x8000, 3, 7},
      {"MMC3", 4, 16, 5, 0x8000, 5, 15},
      {"AxROM low half", 7, 8, 4, 0x8000, 4, 5},
      {"AxROM high half", 7, 8, 5, 0xC000, 4, 5},
      {"GxROM", 66, 4, 2, 0x8000, 2, 3},
      {"Color Dreams", 11, 4, 1, 0xC000, 0, 1},
      {"UxROM's fixed bank", 2, 8, 7, 0xC000, -1, 7, 7},
      {"MMC1's fixed bank", 1, 4, 3, 0xC000, -1, 3, 3},
      {"MMC1 switching C000", 1, 4, 2, 0xC000, 0, 2},
      {"MMC1 32 KiB mode, upper half", 1, 8, 5, 0xC000, 4, 5},
      {"UxROM bank at C000", 2, 8, 5, 0xC000, 0, 5},
  };
  for (const Case& c : cases) {
    const std::string rom = File({c.banks, 0, (c.mapper & 15) << 4, c.mapper & 0xF0}, c.banks);
    const std::int64_t origin = c.base - 16 - 0x4000LL * c.block;
    const RomMap map(rom, origin, c.base);
    EXPECT_EQ(map.byte(0x8000), c.at8000) << c.what;
    EXPECT_EQ(map.byte(0xC000), c.atC000) << c.what;
    if (c.at8000 >= 0) {
      EXPECT_EQ(map.offset(0x8000), 16 + 0x4000LL * c.at8000) << c.what;
    }
    // Each other bank, put at 8000 with the fixed one at C000.
    ASSERT_EQ(map.otherBanks().size(), static_cast<std::size_t>(c.others)) << c.what;
    for (int k = 0; k < c.others; ++k) {
      const RomMap other(rom, map.otherBanks()[static_cast<std::size_t>(k)], 0x8000);
      EXPECT_EQ(other.byte(0x8000), k) << c.what;
      EXPECT_EQ(other.byte(0xC000), c.atC000) << c.what;
    }
  }
}

// Every mapped address's file offset holds the byte the map shows there, and
// nothing else has one, over each mapper's layouts and a file cut short.
TEST(RomMap, GivesTheFileOffsetOfEveryMappedByte) {
  struct Case {
    int mapper, banks, block, base;
    std::size_t cut = 0;  // bytes the file lacks at its end
  };
  const Case cases[] = {
      {0, 1, 0, 0xC000}, {0, 2, 0, 0x8123, 0x1234}, {2, 8, 3, 0x8000},   {2, 8, 7, 0xC000},
      {1, 8, 5, 0xC000}, {4, 16, 5, 0xA000},        {4, 16, 15, 0x8000}, {4, 16, 6, 0xC000, 0x2100},
      {7, 8, 5, 0xC000}, {2, 8, 3, 0x9000, 0x3000},
  };
  for (const Case& c : cases) {
    std::string rom = File({c.banks, 0, (c.mapper & 15) << 4, c.mapper & 0xF0}, c.banks);
    for (std::size_t i = 16; i < rom.size(); ++i) rom[i] = static_cast<char>(i * 7919 >> 5);
    rom.resize(rom.size() - c.cut);
    const std::int64_t origin = c.base - 16 - 0x4000LL * c.block;
    const RomMap map(rom, origin, c.base);
    int mapped = 0;
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) {
      const std::int64_t o = map.offset(a);
      ASSERT_EQ(o >= 0, map.mapped(a)) << c.mapper << " " << a;
      if (o < 0) continue;
      ++mapped;
      ASSERT_LT(o, static_cast<std::int64_t>(rom.size()));
      ASSERT_EQ(map.byte(a), static_cast<std::uint8_t>(rom[static_cast<std::size_t>(o)])) << a;
    }
    EXPECT_GT(mapped, 0) << c.mapper;
  }
}

}  // namespace
}  // namespace morvane::test
