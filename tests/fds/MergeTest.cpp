#include <gtest/gtest.h>

#include "FdsImage.h"
#include "fds/FdsMerge.h"
#include "shell/Reports.h"
#include "shell/Settings.h"

namespace morvane::test {
namespace {

// A split disk of two sides, ready for its listing to be edited.
class FdsMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    DiskSide side{{DiskFile{"KYODAKU-", 0x2800, 2, std::string(0xE0, '\x11'), 0x00},
                   DiskFile{"MAIN    ", 0x6000, 0, std::string(0x40, '\x22'), 0x01}}};
    image_ = BuildImage({side, side});
    split_ = Split(dir_.write("Game.fds", image_)).out;
    listing_ = Slurp(split_);
    dir_.write("Game FDS Files.txt.kept", listing_);
  }

  // Merges the listing with an edit on every side; returns the error box text.
  std::string MergeError(const std::string& from, const std::string& to, int number = 1000) {
    std::string edited = listing_;
    for (std::size_t at = 0; (at = edited.find(from, at)) != std::string::npos; at += to.size()) {
      edited.replace(at, from.size(), to);
      if (from.empty()) break;
    }
    dir_.write("Game FDS Files.txt", edited);
    const JobRun run = Merge(split_);
    EXPECT_EQ(run.host.lastStatus(), "FDS Merge Error");
    EXPECT_EQ(run.host.errors.size(), 1u);
    if (run.host.errors.empty()) return {};
    const std::string& box = run.host.errors.front();
    const std::string head = "Error #" + std::to_string(number) + " -> ";
    EXPECT_TRUE(box.starts_with(head)) << box;
    const std::size_t text = box.find("\r\n\r\n") + 4;
    return box.substr(text, box.find("\r\n\r\nFilename accessed") - text);
  }

  TempDir dir_;
  std::string image_;
  std::string split_;
  std::string listing_;
};

TEST_F(FdsMerge, RowValueFaults) {
  EXPECT_EQ(MergeError("RESERVED\t00 ", "RESERVED\t"),
            "RESERVED row needs to be 11 bytes but is 10 bytes");
  EXPECT_EQ(MergeError("GAME TYPE\t20", "GAME TYPE\t2X"),
            "GAME TYPE \"2X\" is not a hex byte value");
  EXPECT_EQ(MergeError("COUNTRY\t\t49", "COUNTRY\t\tJP"),
            "COUNTRY\t \"JP\" is not a hex byte value");
  EXPECT_EQ(MergeError("07 07 07", "07 QQ 07"), "UNKNOWN DATA byte #2: 'QQ' is not a hex value");
  EXPECT_EQ(MergeError("SN\t12 34", "SN\t12 34 56"),
            "DISK WRITER SN row needs to be 2 bytes but is 3 bytes");
  EXPECT_EQ(MergeError("\t41 42 43", "\t41 4G 43"), "GAME NAME byte 4G is not a hex value");
  EXPECT_EQ(MergeError("02/14/1986", "02/14/2025", 6), "Error writing PERMIT DATE");
  EXPECT_EQ(MergeError("12/31/1986", "12/3X/1986", 6), "Error writing RE-WRITE DATE");
  EXPECT_EQ(MergeError("\tFE60\t", "\tsize\t"),
            "Problem with finding the EMPTY SPACE Size, remember to separate the list and Size "
            "with a tab");
  EXPECT_EQ(MergeError("00 00\tFE60", "00 00 XE60"),
            "EMPTY SPACE byte #13: 'XE' is not a hex value");
}

TEST_F(FdsMerge, MissingAndMisplacedRows) {
  listing_ = Replace(listing_, "fwNES", "fw");
  EXPECT_EQ(MergeError("BLOCK ID", "BLOCK", 62),
            "Can't find fwNES (w/ Header) or BLOCK ID (w/o Header) row");
  listing_ = Slurp(split_ + ".kept");
  EXPECT_EQ(MergeError("DISK COLOR", "DISC COLOR", 62), "Can't find DISK COLOR row");
  EXPECT_EQ(MergeError("GAME NAME", "GAME-NAME", 62), "Can't find GAME NAME row");
  EXPECT_EQ(MergeError("\"*NINTENDO-HVC*\"", "", 5), "Can't find FC DISK row");
  EXPECT_EQ(MergeError("FILE COUNT", "FILE KOUNT", 62), "Can't find FILE COUNT row");
  EXPECT_EQ(MergeError("HEADER\t01\t01", "HEADER\t07\t01", 62), "Can't find BLOCK ID 03 row #1");
}

// The search for row 1 runs past row 0 and on through the next side.
TEST_F(FdsMerge, RowsOutOfOrder) {
  const std::size_t row0 = listing_.rfind("03:FILE HEADER\t00");
  const std::size_t row1 = listing_.rfind("03:FILE HEADER\t01");
  const std::size_t end = listing_.find("\r\n", row1) + 2;
  std::string swapped = listing_.substr(0, row0) + listing_.substr(row1, end - row1) +
                        listing_.substr(row0, row1 - row0) + listing_.substr(end);
  listing_ = swapped;
  EXPECT_EQ(MergeError("EMPTY SPACE\t00", "EMPTY SPACE\t00", 62), "Can't find BLOCK ID 03 row #1");
}

TEST_F(FdsMerge, FileRowFaults) {
  EXPECT_EQ(MergeError("HEADER\t00\t00", "HEADER\t00\tZ0"),
            "Problem with BLOCK ID 03 row #0's File ID\r\n\"Z0\" is not a hex byte value");
  EXPECT_EQ(MergeError("\t2800\t", "\t28G0\t", 6), "Problem with BLOCK ID 03 row #0's Address");
  EXPECT_EQ(MergeError("\t00E0\t", "\t0XE0\t", 6), "Problem with BLOCK ID 03 row #0's Length");
  EXPECT_EQ(MergeError("\t02 VRAM", "\tXX VRAM", 6), "Problem with BLOCK ID 03 row #0's Type");
  const std::size_t row = listing_.find("03:FILE HEADER\t00");
  const std::string line = listing_.substr(row, listing_.find('\r', row) - row);
  EXPECT_EQ(MergeError(line, "03:FILE HEADER\t00\t00\t\"KYO"),
            "Problem with BLOCK ID 03 row #0's File Name");
  EXPECT_EQ(MergeError("FILE COUNT\t02", "FILE COUNT\t02\r\nFILES FOUND\t03"),
            "FILES FOUND can't be more than FILE COUNT");
}

TEST_F(FdsMerge, ExtractedFileFaults) {
  const std::string kyodaku = dir_.file("VRAM 2800-28DF KYODAKU- 1A[00]00.nes");
  const std::string problem = "Problem merging BLOCK ID 03 row #0's File Data\r\n";
  dir_.write("VRAM 2800-28DF KYODAKU- 1A[00]00.nes", std::string(0xF0, '\x11'));
  EXPECT_EQ(MergeError("", ""), problem +
                                    "File is too big or length is too small.\r\nShould have 224 "
                                    "bytes, but 240 bytes found in file.");
  dir_.write("VRAM 2800-28DF KYODAKU- 1A[00]00.nes", std::string(0x10, '\x11'));
  EXPECT_EQ(MergeError("", ""), problem +
                                    "File is too small or length is too big.\r\nShould have 224 "
                                    "bytes, but only 16 bytes found in file.");
  std::remove(kyodaku.c_str());
  EXPECT_EQ(MergeError("", ""), problem + "File is missing.");
  EXPECT_FALSE(dir_.exists("VRAM 2800-28DF KYODAKU- 1A[00]00.nes"));
  const JobRun run = Merge(split_);
  EXPECT_NE(run.host.errors.at(0).find("Filename accessed -> " + kyodaku), std::string::npos);
}

TEST_F(FdsMerge, OutputIsCreatedAfresh) {
  dir_.write("Game_Merged.fds", std::string(300000, '\xEE'));
  const JobRun run = Merge(split_);
  EXPECT_TRUE(run.host.statuses.empty());
  EXPECT_TRUE(SameBytes(Slurp(run.out), image_));
}

TEST_F(FdsMerge, OutputNameDropsTheLastFourteenCharacters) {
  const std::string other = dir_.write("Edited listing.txt", listing_);
  const JobRun run = Merge(other);
  EXPECT_EQ(run.out, dir_.file("Edit_Merged.fds"));
  EXPECT_TRUE(SameBytes(Slurp(run.out), image_));
}

TEST_F(FdsMerge, YearsAndNamesInTheListing) {
  // 2024 is the last year the byte holds; a shown 95h is written back as 00.
  std::string edited = Replace(listing_, "02/14/1986", "02/14/2024");
  edited = Replace(edited, "\"MAIN    \"", "\"MAIN\x95   \"");
  dir_.write("Game FDS Files.txt", edited);
  dir_.write("PRAM 6000-603F MAIN'    1A[01]01.nes", std::string(0x40, '\x22'));
  const JobRun run = Merge(split_);
  ASSERT_TRUE(run.host.errors.empty()) << run.host.errors.front();
  const std::string expected = Slurp(run.out);
  EXPECT_NE(expected.find(std::string("\x99\x02\x14\x49", 4)), std::string::npos);
  EXPECT_NE(expected.find(std::string("MAIN\0   ", 8)), std::string::npos);
}

TEST_F(FdsMerge, DialogCancelAndMissingListing) {
  ScriptedHost host;
  host.answer(Dialog::OpenTXT, std::nullopt);
  EXPECT_EQ(FdsMergeJob(Settings{}, host).outcome, Outcome::Cancelled);
  EXPECT_EQ(host.lastStatus(), "Merge Canceled");
  EXPECT_TRUE(host.errors.empty());

  const JobRun run = Merge(dir_.file("none FDS Files.txt"));
  ASSERT_EQ(run.host.errors.size(), 1u);
  EXPECT_EQ(run.host.errors[0],
            ErrorBoxText(53, "Merge FDS Files - TXT File", dir_.file("none FDS Files.txt")) +
                "\r\n\r\nThe file does not exist.");
}

}  // namespace
}  // namespace morvane::test
