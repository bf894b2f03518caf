// Jobs that fail show their box, return the window to idle, and the next
// job runs as usual.
#include "JobFixture.h"
#include "fds/FdsImage.h"

namespace morvane {
namespace {

std::string Script(const std::string& phrases) {
  return CrLf({"sample Text", phrases, "Chars\t10\t2\t", "Ptrs\tNONE\t[NONE+1]\t-7FF0\t2",
               "Blocks\t1\t", "Text\t8054\t8093\t-7FF0", "0:", "HELLO WORLD!", "HI!", ""});
}

TEST_F(JobTest, AScriptErrorShowsItsBoxAndTheNextInsertRuns) {
  const std::string rom = copySample("sample.nes");
  const std::string tbl = copySample("sample.tbl");
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenSJS, dir.write("bad.txt", Script("Phrases\t5\t3")));
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdInsert"));
  ASSERT_EQ(dialogs->warnings.size(), 1);
  EXPECT_EQ(dialogs->warnings[0],
            "Error during Insert: Line 2 - Phrases: First Phrase # 5 is greater than Last "
            "Phrase # 3.");
  EXPECT_TRUE(dialogs->errors.isEmpty());
  dialogs->warnings.clear();
  expectRanCleanly();

  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenSJS, dir.write("good.txt", Script("Phrases\t0\t0")));
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdInsert"));
  expectRanCleanly();
  const std::string modified = Slurp(dir.file("sample_Modified.nes"));
  EXPECT_EQ(modified.substr(0x64, 4), "HI!\xFF");
  EXPECT_EQ(label(30), "4");
  EXPECT_EQ(label(31), "60");
  EXPECT_EQ(label(32), "0h");
}

TEST_F(JobTest, AMissingFileShowsTheErrorBoxAndTheWindowStaysUsable) {
  answer(Dialog::OpenNES, dir.file("missing.nes"));
  click(button("cmdSearch"));
  ASSERT_EQ(dialogs->errors.size(), 1);
  EXPECT_TRUE(dialogs->errors[0].startsWith("Error #53 -> File not found\r\n\r\n"))
      << dialogs->errors[0].toStdString();
  EXPECT_TRUE(dialogs->errors[0].contains("Search File - Selecting File"));
  EXPECT_EQ(takeStatuses(), QStringList{"Search Error"});
  dialogs->errors.clear();
  expectRanCleanly();

  // The compare treats a cancelled second table as a failure to open it.
  click(check("chkShowStrings"));
  const std::string rom = copySample("sample.nes");
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTBL, copySample("sample.tbl"));
  answer(Dialog::OpenNES, rom);
  click(button("cmdCompare"));
  ASSERT_EQ(dialogs->errors.size(), 1);
  EXPECT_TRUE(dialogs->errors[0].contains("Compare Files - Selecting 2nd File"))
      << dialogs->errors[0].toStdString();
  EXPECT_EQ(takeStatuses().last(), "Compare Error");
  dialogs->errors.clear();
  expectRanCleanly();

  click(option("opFeatures", 0));
  answer(Dialog::OpenNES, rom);
  click(button("cmdDump"));
  expectRanCleanly();
  EXPECT_TRUE(dir.exists("sample.asm.txt"));
}

TEST_F(JobTest, DiskErrorsNameWhatIsWrong) {
  // An image without its header while "16 Byte Header" is checked.
  const std::string bare = dir.write("bare.fds", test::BuildImage({test::DiskSide()}, false));
  answer(Dialog::OpenFDS, bare);
  click(button("cmdFDSSplit"));
  ASSERT_EQ(dialogs->errors.size(), 1);
  EXPECT_TRUE(dialogs->errors[0].contains(
      "No FDS header found; to split disk files w/o header:\r\n  UnCheck '16 Byte Header'"))
      << dialogs->errors[0].toStdString();
  EXPECT_EQ(takeStatuses().last(), "FDS Split Error");
  dialogs->errors.clear();
  expectRanCleanly();

  // A listing cut short.
  answer(Dialog::OpenTXT,
         dir.write("gone FDS Files.txt", CrLf({"NO FDS HEADER", "", "", "BLOCK ID\t01",
                                               "FC DISK\t\t\"*NINTENDO-HVC*\""})));
  click(button("cmdFDSMerge"));
  ASSERT_EQ(dialogs->errors.size(), 1);
  EXPECT_TRUE(dialogs->errors[0].contains("Can't find MANUFACTURER row"))
      << dialogs->errors[0].toStdString();
  EXPECT_EQ(takeStatuses().last(), "FDS Merge Error");
  dialogs->errors.clear();
  expectRanCleanly();

  // Unchecked, the same image splits.
  click(check("chkHeader"));
  answer(Dialog::OpenFDS, bare);
  click(button("cmdFDSSplit"));
  expectRanCleanly();
  EXPECT_EQ(Slurp(dir.file("bare FDS Files.txt")).rfind("NO FDS HEADER\r\n\r\n\r\n", 0), 0u);
}

}  // namespace
}  // namespace morvane
