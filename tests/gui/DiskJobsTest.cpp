// Split FDS and Merge FDS through the window on a disk image built here.
#include "JobFixture.h"
#include "fds/FdsImage.h"

namespace morvane {
namespace {

using test::BuildImage;
using test::DiskFile;
using test::DiskSide;

// The first side holds a program and a character file, the others are empty.
std::string Sides(int count) {
  DiskFile program;
  program.name = "KYODAKU-";
  program.data = std::string(0x40, '\x11');
  DiskFile tiles;
  tiles.name = "TILES\x00\x00\x00";
  tiles.name.resize(8, '\0');
  tiles.address = 0x0000;
  tiles.type = 1;
  tiles.id = 0x20;
  tiles.data = std::string(0x20, '\x22');
  std::vector<DiskSide> sides(static_cast<std::size_t>(count));
  sides[0].files = {program, tiles};
  return BuildImage(sides);
}

TEST_F(JobTest, SplitThenMergeGivesTheImageBack) {
  const std::string image = Sides(2);
  const std::string path = dir.write("disk.fds", image);
  answer(Dialog::OpenFDS, path);
  click(button("cmdFDSSplit"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked, std::vector<Dialog>{Dialog::OpenFDS});
  EXPECT_EQ(takeStatuses(), QStringList({"Starting...", "Done: "}));
  const std::string listing = Slurp(dir.file("disk FDS Files.txt"));
  EXPECT_EQ(listing.rfind("fwNES ID\t\"FDS[^Z]\"\r\nDISK SIDES\t02\r\n", 0), 0u) << listing;
  EXPECT_NE(listing.find("= Disk 1 Side B =\r\n"), std::string::npos);
  EXPECT_EQ(Slurp(dir.file("PRAM 6000-603F KYODAKU- 1A[10]00.nes")), std::string(0x40, '\x11'));
  EXPECT_EQ(Slurp(dir.file("CRAM 0000-001F TILES''' 1A[20]01.nes")), std::string(0x20, '\x22'));
  EXPECT_EQ(Slurp(path), image);

  answer(Dialog::OpenTXT, dir.file("disk FDS Files.txt"));
  click(button("cmdFDSMerge"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked.back(), Dialog::OpenTXT);
  EXPECT_TRUE(Slurp(dir.file("disk_Merged.fds")) == image);
  EXPECT_EQ(Slurp(dir.file("disk FDS Files.txt")), listing);
}

TEST_F(JobTest, CancelStopsASplitWhereItStands) {
  const std::string image = Sides(32);
  answer(Dialog::OpenFDS, dir.write("disk.fds", image));
  // The split reads byte by byte and hands control to the window as it goes;
  // Cancel is pressed at the first turn of the event loop once it has begun.
  cancelWhen([this] { return status() == "Starting..."; }, false);
  click(button("cmdFDSSplit"));
  ASSERT_TRUE(clicked());
  expectRanCleanly();
  const QStringList seen = takeStatuses();
  ASSERT_EQ(seen.size(), 2);
  EXPECT_EQ(seen[0], "Starting...");
  ASSERT_TRUE(seen[1].startsWith("Canceled at ") && seen[1].endsWith(": "))
      << seen[1].toStdString();
  const QString at = seen[1].mid(12).chopped(2);
  bool ok = false;
  const int offset = at.toInt(&ok, 16);
  EXPECT_TRUE(ok && at.size() >= 4 && offset >= 0 && offset < static_cast<int>(image.size()))
      << seen[1].toStdString();
  const std::string listing = Slurp(dir.file("disk FDS Files (incomplete).txt"));
  const std::string last = "CANCELED at " + at.toStdString() + "\r\n";
  ASSERT_GE(listing.size(), last.size());
  EXPECT_EQ(listing.substr(listing.size() - last.size()), last);
}

}  // namespace
}  // namespace morvane
