#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <tuple>

#include "FdsImage.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane::test {
namespace {

DiskFile File(int index, std::size_t length, std::uint8_t type = 0) {
  DiskFile f;
  f.name = "FILE" + std::to_string(1000 + index);
  f.address = 0x6000 + 0x100 * index;
  f.type = type;
  f.data.assign(length, static_cast<char>(index * 7 + 1));
  f.id = static_cast<std::uint8_t>(index + 0x20);
  return f;
}

TEST(FdsRoundTrip, UneditedListingsRebuildTheImage) {
  DiskSide one{{File(0, 0x2000), File(1, 0x400, 1), File(2, 0x3C0, 2)}};
  one.yearByte = 0x8A;
  one.rewrites = 3;
  one.price = 0x00;
  one.gameType = 'Q';
  one.gameName = "Z\x7F~";
  DiskSide none;
  none.space = "\x01\x02\x03";
  DiskSide many;
  for (int i = 0; i < 60; ++i) many.files.push_back(File(i, 40 + i));
  const std::vector<std::vector<DiskSide>> images = {{one}, {one, none}, {none, many, one}};
  for (const bool header : {true, false}) {
    for (const auto& sides : images) {
      TempDir dir;
      const std::string image = BuildImage(sides, header);
      EXPECT_TRUE(SameBytes(RoundTrip(dir, image, header), image)) << sides.size() << header;
    }
  }
}

TEST(FdsRoundTrip, BytesTheListingDoesNotCarry) {
  DiskSide side{{File(0, 8)}};
  side.files[0].name = std::string("N\0\x01\x95\x7F~ \"", 8);
  side.space = "0123456789ABCDEF";  // only the first 12 are listed
  TempDir dir;
  std::string expected = BuildImage({side});
  const std::string merged = RoundTrip(dir, BuildImage({side}));
  // Name bytes outside 20-7E come back as 00; the empty space after 12 bytes as 00.
  const std::size_t name = expected.find(std::string("N\0\x01", 3));
  expected.replace(name, 8, std::string("N\0\0\0\0~ \"", 8));
  const std::size_t space = expected.find("0123456789AB");
  expected.replace(space + 12, 4, std::string(4, '\0'));
  EXPECT_TRUE(SameBytes(merged, expected));
}

TEST(FdsRoundTrip, SidesThatEndAwkwardly) {
  // A file of no bytes, followed by another file.
  DiskSide empty{{File(0, 0), File(1, 5)}};
  // Only 3 bytes of empty space, then a second side that must still be a side.
  DiskSide tight{{File(0, 21796), File(1, 21796), File(2, 21796)}};
  tight.space = "\x09\x08\x07";
  // The last file ends on the side's last byte: an empty space of no bytes.
  DiskSide full{{File(0, 21797), File(1, 21797), File(2, 21797)}};
  for (const auto& first : {empty, tight, full}) {
    TempDir dir;
    const std::string image = BuildImage({first, DiskSide{{File(5, 9)}}});
    EXPECT_TRUE(SameBytes(RoundTrip(dir, image), image));
    const std::string listing = Slurp(dir.file("disk FDS Files.txt"));
    EXPECT_NE(listing.find("= Disk 1 Side B ="), std::string::npos);
    EXPECT_TRUE(dir.exists("PRAM 6500-6508 FILE1005 1B[25]00.nes"));
  }
  TempDir dir;
  RoundTrip(dir, BuildImage({full}));
  EXPECT_NE(Slurp(dir.file("disk FDS Files.txt")).find("EMPTY SPACE\t\t0000\t"), std::string::npos);
}

TEST(FdsRoundTrip, FileCountAboveTheFilesPresent) {
  DiskSide over{{File(0, 0x20), File(1, 0x10)}};
  over.declared = 8;
  DiskSide nothing;
  nothing.declared = 2;
  DiskSide exact{{File(0, 4)}};
  TempDir dir;
  const std::string image = BuildImage({over, nothing, exact});
  EXPECT_TRUE(SameBytes(RoundTrip(dir, image), image));
  const std::string listing = Slurp(dir.file("disk FDS Files.txt"));
  const std::string dash(132, '-');
  EXPECT_NE(listing.find("FILE COUNT\t08\r\nFILES FOUND\t02\r\n" + dash), std::string::npos);
  EXPECT_NE(listing.find("FILE COUNT\t02\r\nFILES FOUND\t00\r\n" + dash + "\r\nEMPTY SPACE"),
            std::string::npos);
  // A count that matches its files keeps the plain listing.
  EXPECT_NE(listing.find("FILE COUNT\t01\r\n" + dash), std::string::npos);
}

TEST(FdsRoundTrip, MoreThanNineDisks) {
  std::vector<DiskSide> sides(22);
  sides[20].files = {File(0, 3)};
  sides[21].files = {File(1, 4)};
  TempDir dir;
  const std::string image = BuildImage(sides);
  EXPECT_TRUE(SameBytes(RoundTrip(dir, image), image));
  EXPECT_TRUE(dir.exists("PRAM 6000-6002 FILE1000 11A[20]00.nes"));
  EXPECT_TRUE(dir.exists("PRAM 6100-6103 FILE1001 11B[21]00.nes"));
}

TEST(FdsRoundTrip, EnlargedFileWithLengthAndSpaceAdjusted) {
  DiskSide side{{File(0, 0x20), File(1, 0x30)}};
  TempDir dir;
  const std::string image = BuildImage({side, side});
  const JobRun split = Split(dir.write("disk.fds", image));
  const std::string file = dir.file("PRAM 6000-601F FILE1000 1A[20]00.nes");
  ASSERT_EQ(Slurp(file).size(), 0x20u);
  std::remove(file.c_str());
  dir.write("PRAM 6000-602F FILE1000 1A[20]00.nes", std::string(0x30, '\x77'));
  std::string listing = Slurp(split.out);
  listing = Replace(listing, "\t6000\t0020\t", "\t6000\t0030\t");
  const std::size_t space = 65500 - 58 - 17 * 2 - 0x50;
  listing = Replace(listing, "\t" + std::string(HexWord(space)) + "\t",
                    "\t" + std::string(HexWord(space - 0x10)) + "\t");
  dir.write("disk FDS Files.txt", listing);
  const JobRun merge = Merge(split.out);
  ASSERT_TRUE(merge.host.errors.empty()) << merge.host.errors.front();
  const std::string merged = Slurp(merge.out);
  EXPECT_EQ(merged.size(), image.size());

  const std::string again = dir.write("again.fds", merged);
  const JobRun resplit = Split(again);
  EXPECT_EQ(resplit.host.lastStatus(), "Done: ");
  EXPECT_NE(Slurp(resplit.out).find("\"FILE1000\"\t6000\t0030\t"), std::string::npos);
  EXPECT_EQ(Slurp(dir.file("PRAM 6000-602F FILE1000 1A[20]00.nes")), std::string(0x30, '\x77'));
  // Side B is untouched.
  EXPECT_TRUE(SameBytes(merged.substr(16 + 65500), image.substr(16 + 65500)));
}

// An image that ends inside a side: a complete listing whose SIDE LENGTH row
// lets merge give back exactly the bytes there were, and a warning that names
// the side and what it lacks.
TEST(FdsRoundTrip, ImagesCutShortComeBackAsTheyAre) {
  DiskSide side{{File(0, 0x100), File(1, 0x20, 2)}};
  side.space = "\x01\x02";
  for (const bool header : {true, false}) {
    const std::string image = BuildImage({side, side}, header);
    const std::size_t sideB = (header ? 16 : 0) + 65500;
    const std::size_t files = sideB + 58;  // block 3 of file 0
    for (const std::size_t keep :
         {sideB + 1, sideB + 40, sideB + 57, files + 1, files + 9, files + 17, files + 17 + 0x80,
          files + 17 + 0x100 + 5, image.size() - 0x170, image.size() - 16, image.size() - 1}) {
      SCOPED_TRACE(std::to_string(keep - sideB) + (header ? " with header" : ""));
      TempDir dir;
      const std::string cut = image.substr(0, keep);
      const JobRun split = Split(dir.write("cut.fds", cut), header);
      const std::string lacks = std::to_string(sideB + 65500 - keep);
      EXPECT_EQ(split.host.lastStatus(),
                "Done: Disk 1 Side B lacks " + lacks + " of its 65500 bytes");
      ASSERT_EQ(split.host.warnings.size(), 1u);
      ASSERT_EQ(split.host.finished.size(), 1u);
      EXPECT_EQ(split.host.finished[0].outcome, Outcome::Done);
      EXPECT_NE(split.host.warnings[0].second.find(dir.file("cut.fds")), std::string::npos);
      EXPECT_NE(Slurp(split.out).find("= Disk 1 Side B =\r\n=================\r\nBLOCK ID\t01: "
                                      "VOLUME LABEL\r\nSIDE LENGTH\t" +
                                      HexWord(static_cast<int>(keep - sideB)) + "\t(" + lacks +
                                      " bytes missing)\r\n"),
                std::string::npos);
      const JobRun merge = Merge(split.out);
      EXPECT_TRUE(merge.host.errors.empty()) << merge.host.errors.front();
      EXPECT_TRUE(SameBytes(Slurp(merge.out), cut));
    }
  }
}

// Dumps in circulation: a 65500-byte file with a 16-byte header, and a disk
// holding a file of 9000h bytes.
TEST(FdsRoundTrip, RealDiskShapes) {
  TempDir dir;
  const std::string shortSide = BuildImage({DiskSide{{File(0, 0x40)}}}).substr(0, 65500);
  const JobRun split = Split(dir.write("short.fds", shortSide));
  EXPECT_EQ(split.host.lastStatus(), "Done: Disk 1 Side A lacks 16 of its 65500 bytes");
  EXPECT_TRUE(SameBytes(Slurp(Merge(split.out).out), shortSide));

  const std::string big = BuildImage({DiskSide{{File(0, 0x9000), File(1, 0x10)}}});
  EXPECT_TRUE(SameBytes(RoundTrip(dir, big), big));
  EXPECT_TRUE(dir.exists("PRAM 6000-EFFF FILE1000 1A[20]00.nes"));
}

TEST(FdsRoundTrip, AnImageWithoutSidesIsAnError) {
  for (const auto& [bytes, header, message] :
       {std::tuple<std::string, bool, std::string>{"", false, "The image is empty."},
        {"", true, "The image is empty."},
        {"FDS\x1A\x01", true, "The image holds no disk side: it has 5 bytes."},
        {BuildImage({}), true, "The image holds no disk side: it has 16 bytes."}}) {
    TempDir dir;
    const JobRun split = Split(dir.write("none.fds", bytes), header);
    EXPECT_EQ(split.host.lastStatus(), "FDS Split Error");
    ASSERT_EQ(split.host.errors.size(), 1u);
    EXPECT_EQ(split.host.errors[0], ErrorBoxText(1000, message, dir.file("none.fds")));
    EXPECT_FALSE(dir.exists("none FDS Files.txt"));
  }
}

// Damaged images and listings end in a message or a result, never a crash.
TEST(FdsRoundTrip, DamageNeverCrashes) {
  DiskSide side{{File(0, 0x30), File(1, 0), File(2, 0x10, 1)}};
  side.declared = 5;
  const std::string image = BuildImage({side, side});
  TempDir dir;
  const std::string listing = Slurp(Split(dir.write("d.fds", image)).out);
  std::mt19937 rng(12345);
  for (int round = 0; round < 60; ++round) {
    std::string bad = image.substr(0, 16 + 65500 + 250 + rng() % 400);
    for (int i = 0; i < 3; ++i) bad[16 + 65500 + rng() % 250] = static_cast<char>(rng());
    for (int i = 0; i < 2; ++i) bad[rng() % 300] = static_cast<char>(rng());
    const JobRun split = Split(dir.write("d.fds", bad));
    EXPECT_EQ(split.host.errors.size() + split.host.lastStatus().starts_with("Done: "), 1u);

    std::string text = listing;
    for (int i = 0; i < 4; ++i) {
      const std::size_t at = rng() % text.size();
      text.erase(at, rng() % 12);
      text.insert(rng() % text.size(), std::string(1, "\t\r\n 0F\"-"[rng() % 8]));
    }
    dir.write("d FDS Files.txt", text);
    const JobRun merge = Merge(dir.file("d FDS Files.txt"));
    EXPECT_EQ(merge.host.errors.size() + merge.host.statuses.empty(), 1u);
  }
}

}  // namespace
}  // namespace morvane::test
