#include <gtest/gtest.h>

#include "fds/DiskListing.h"
#include "shell/Values.h"

namespace morvane::fds {
namespace {

TEST(DiskListing, LicenseeNamesKeepTheirExactText) {
  EXPECT_EQ(LicenseeName(0x00), "(Unlicensed)");
  EXPECT_EQ(LicenseeName(0xCA), "Konami / Ultra / Palcom ");
  EXPECT_EQ(LicenseeName(0xDB), "Hiro Co., Ltd. ");
  EXPECT_EQ(LicenseeName(0xEB), "Atlus");
  EXPECT_EQ(LicenseeName(0x02), "UNKNOWN");
  EXPECT_EQ(LicenseeName(0xFF), "UNKNOWN");
}

TEST(DiskListing, MeaningsFollowTheirCodes) {
  EXPECT_EQ(MeaningText(Meaning::GameType, 0x52, 0), "Disk with advertising price [R]eduction");
  EXPECT_EQ(MeaningText(Meaning::GameType, 'x', 0), "\"x\" UNKNOWN");
  EXPECT_EQ(MeaningText(Meaning::Side, 0x01, 0), "Side B");
  EXPECT_EQ(MeaningText(Meaning::Side, 0x02, 0), "(Unknown)");
  EXPECT_EQ(MeaningText(Meaning::Disk, 0xFF, 0), "Disk 256");
  EXPECT_EQ(MeaningText(Meaning::Color, 0xFE, 0), "White");
  EXPECT_EQ(MeaningText(Meaning::Country, 0x49, 0), "Japan");
  // The price depends on the side's re-write count.
  EXPECT_EQ(MeaningText(Meaning::Price, 0x01, 0), "3400 Yen");
  EXPECT_EQ(MeaningText(Meaning::Price, 0x03, 0), "3400 Yen with peripherals");
  EXPECT_EQ(MeaningText(Meaning::Price, 0x00, 0), "(Unknown)");
  EXPECT_EQ(MeaningText(Meaning::Price, 0x00, 2), "500 Yen");
  EXPECT_EQ(MeaningText(Meaning::Price, 0x01, 2), "600 Yen");
  EXPECT_EQ(MeaningText(Meaning::Price, 0x03, 2), "(Unknown)");
  EXPECT_EQ(ByteRow(kVolumeFields[11], 0x49, 0), "COUNTRY\t\t49: Japan");
  EXPECT_EQ(ByteRow(kVolumeFields[3], 0x07, 0), "GAME VERSION\t07");
}

TEST(DiskListing, DatesAndEveryYearByteComeBack) {
  EXPECT_EQ(DateText(0x61, 0x02, 0x14), "02/14/1986");
  EXPECT_EQ(DateText(0x8A, 0x12, 0x31), "12/31/8A (Improper Year Format)");
  EXPECT_EQ(YearText(0x00), "1925");
  EXPECT_EQ(YearText(0x99), "2024");
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(YearByte(YearText(static_cast<std::uint8_t>(b))), b) << b;
  }
  EXPECT_EQ(YearByte("2025"), std::nullopt);
  EXPECT_EQ(YearByte("1924"), std::nullopt);
  EXPECT_EQ(YearByte("199."), std::nullopt);
  EXPECT_EQ(YearByte("19x6"), std::nullopt);
  EXPECT_EQ(YearByte("G"), std::nullopt);
}

TEST(DiskListing, ExtractedFileNames) {
  EXPECT_EQ(ExtractedFileName("PRAM", 0x6000, 0x2000, "KYODAKU-", 1, 'B', 0x01, 0x00),
            "PRAM 6000-7FFF KYODAKU- 1B[01]00.nes");
  EXPECT_EQ(ExtractedFileName("CRAM", 0x0000, 0x10,
                              "A\x95"
                              "B     ",
                              12, 'A', 0xFF, 0x1F),
            "CRAM 0000-000F A'B      12A[FF]1F.nes");
  // Whatever the name and the listed type hold, the result is a single file name.
  const std::string name = ExtractedFileName("../x", 0x6000, 1, "../../..", 1, 'A', 0x00, 0x00);
  EXPECT_EQ(FileNameOf(name), name);
  EXPECT_EQ(name.find('/'), std::string::npos);
}

TEST(DiskListing, ListingNameBesideTheImage) {
  EXPECT_EQ(ListingPathFor("C:\\roms\\Game.fds"), "C:\\roms\\Game FDS Files.txt");
  EXPECT_EQ(ListingPathFor("dir/Game"), "dir/Game FDS Files.txt");
  EXPECT_EQ(kListingSuffix.size(), 14u);
}

}  // namespace
}  // namespace morvane::fds
