// The iNES header as every job reads it: each field from each kind of header,
// and where CHR-ROM starts.
#include <gtest/gtest.h>

#include "rom/INesHeader.h"

namespace morvane::test {
namespace {

// A header of bytes 4 on, padded to 16 bytes, then extra bytes of padding.
std::string Header(std::initializer_list<int> bytes, std::size_t extra = 0) {
  std::string file("NES\x1A", 4);
  for (const int b : bytes) file += static_cast<char>(b);
  file.resize(16, '\0');
  return file + std::string(extra, '\0');
}

TEST(INesHeader, ReadsEachKindOfHeader) {
  struct Case {
    const char* what;
    std::string file;
    bool present;
    int prgBanks, chrBanks, mapper;
    std::int64_t prgOffset;
    std::optional<std::size_t> chr;
  };
  std::string diskDude = Header({8, 4, 0x40, 0x50});
  diskDude.replace(7, 9, "DiskDude!");
  std::string shortFile = Header({2, 1});
  shortFile.resize(15);
  std::string badMagic = Header({2, 1});
  badMagic[3] = 0x1B;
  const Case cases[] = {
      {"iNES", Header({2, 1, 0x41, 0x10}), true, 2, 1, 0x14, 16, 16 + 0x8000},
      {"iNES without CHR-ROM", Header({2, 0, 0x10}), true, 2, 0, 1, 16, std::nullopt},
      {"text in the header's end", diskDude, true, 8, 4, 4, 16, 16 + 8 * 0x4000},
      {"NES 2.0", Header({4, 2, 0x10, 0x28, 0x01, 0x21}), true, 0x104, 2, 0x121, 16,
       16 + 0x104 * 0x4000},
      {"NES 2.0 PRG size as a power of two", Header({4, 1, 0x10, 0x28, 0, 0x0F}), true, 4, 1, 0x21,
       16, 16 + 4 * 0x4000},
      {"NES 2.0 bits in an iNES header", Header({1, 1, 0, 0x20, 0x01, 0x01}), true, 1, 1, 0x20, 16,
       16 + 0x4000},
      {"trainer", Header({1, 1, 0x44}), true, 1, 1, 4, 16 + 512, 16 + 512 + 0x4000},
      {"short file", shortFile, false, 0, 0, 0, 16, std::nullopt},
      {"no magic", badMagic, false, 0, 0, 0, 16, std::nullopt},
      {"empty file", "", false, 0, 0, 0, 16, std::nullopt},
  };
  for (const Case& c : cases) {
    const INesHeader h = ReadINesHeader(c.file);
    EXPECT_EQ(h.present, c.present) << c.what;
    EXPECT_EQ(h.prgBanks, c.prgBanks) << c.what;
    EXPECT_EQ(h.chrBanks, c.chrBanks) << c.what;
    EXPECT_EQ(h.mapper, c.mapper) << c.what;
    EXPECT_EQ(h.prgOffset, c.prgOffset) << c.what;
    EXPECT_EQ(ChrRomStart(c.file), c.chr) << c.what;
  }
}

}  // namespace
}  // namespace morvane::test
