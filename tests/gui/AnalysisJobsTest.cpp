// Relative search and file compare through the Other Functions frame, run to
// the end and cancelled from the Cancel button while they yield.
#include "JobFixture.h"

namespace morvane {
namespace {

std::string LastLine(const std::string& text) {
  const auto end = text.size() >= 2 ? text.size() - 2 : 0;
  return text.substr(text.rfind("\r\n", end - 1) + 2, end - text.rfind("\r\n", end - 1) - 2);
}

class AnalysisTest : public JobTest {
 protected:
  // The sample with one byte of its first phrase and two further on changed.
  std::string changedCopy() {
    std::string bytes = Slurp(rom);
    bytes[0x70] = '\x99';
    bytes[0x1000] = 'A';
    bytes[0x1001] = 'B';
    return dir.write("other.nes", bytes);
  }
  const std::string rom = copySample("sample.nes");
};

TEST_F(AnalysisTest, RelativeSearchFindsTheSampleText) {
  retype("txtSearch", "The");
  answer(Dialog::OpenNES, rom);
  click(button("cmdSearch"));
  expectRanCleanly();
  EXPECT_EQ(text("txtSearch"), "THE");
  const std::string report = Slurp(dir.file("sample Output.txt"));
  EXPECT_NE(report.find("\r\n1 THE found @ 0009B = THE = 54_48_45\r\n41=A\r\n"), std::string::npos)
      << report;
  const QStringList seen = takeStatuses();
  ASSERT_FALSE(seen.isEmpty());
  EXPECT_EQ(seen.front(), "Searching...");
  EXPECT_TRUE(seen.contains("Searching 800: 1 THE found @ 0009B = THE = 54_48_45"));
  EXPECT_EQ(seen.back(), "Search Done: 1 THE found @ 0009B = THE = 54_48_45");
}

TEST_F(AnalysisTest, CompareWithAndWithoutStrings) {
  const std::string other = changedCopy();
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenNES, other);
  click(button("cmdCompare"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenNES}));
  const std::string plain = Slurp(dir.file("sample Compare.txt"));
  const std::string differences = CrLf({
      "Address       File1         File2",
      std::string(61, '='),
      "0070:         FF            99",
      std::string(61, '='),
      "1000:         FF            41",
      "1001:         FF            42",
      std::string(61, '-'),
      "Done: 3 differences",
  });
  EXPECT_NE(plain.find("\r\nStarting at byte 0\r\n\r\n" + differences), std::string::npos) << plain;
  QStringList seen = takeStatuses();
  ASSERT_FALSE(seen.isEmpty());
  EXPECT_EQ(seen.front(), "Starting...");
  EXPECT_TRUE(seen.contains("2kB: 1 differences"));
  EXPECT_TRUE(seen.contains("6kB: 3 differences"));
  EXPECT_EQ(seen.back(), "Done: 3 differences");

  // Show Strings asks for a table after each file and decodes each run.
  click(check("chkShowStrings"));
  dialogs->asked.clear();
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTBL, copySample("sample.tbl"));
  answer(Dialog::OpenNES, other);
  answer(Dialog::OpenTBL, dir.file("sample.tbl"));
  click(button("cmdCompare"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenTBL, Dialog::OpenNES,
                                                 Dialog::OpenTBL}));
  const std::string strings = Slurp(dir.file("sample Compare.txt"));
  EXPECT_NE(strings.find(CrLf({"1000:         FF            41", "1001:         FF            42",
                               "File1:        //", "File2:        AB"})),
            std::string::npos)
      << strings;
  EXPECT_EQ(LastLine(strings), "Done: 3 differences");
  EXPECT_TRUE(check("chkShowStrings")->isChecked());
}

TEST_F(AnalysisTest, ShowStringsCheckedDuringACompareKeepsItsStart) {
  // The box stays enabled while a compare runs; a run started without tables
  // has none to decode with and goes on without them.
  std::string bytes(std::size_t{1} << 14, '\0');
  const std::string first = dir.write("first.bin", bytes);
  bytes[0x1000] = 'A';
  const std::string second = dir.write("second.bin", bytes);
  answer(Dialog::OpenNES, first);
  answer(Dialog::OpenNES, second);
  clickWhen(check("chkShowStrings"), [this] { return status() == "2kB: 0 differences"; });
  click(button("cmdCompare"));
  ASSERT_TRUE(clicked());
  expectRanCleanly();
  EXPECT_TRUE(check("chkShowStrings")->isChecked());
  const std::string report = Slurp(dir.file("first Compare.txt"));
  EXPECT_EQ(report.find("File1:"), std::string::npos) << report;
  EXPECT_EQ(LastLine(report), "Done: 1 differences");
}

TEST_F(AnalysisTest, CancelStopsASearchPartWay) {
  const std::string big = dir.write("big.bin", std::string(std::size_t{1} << 20, '\x07'));
  answer(Dialog::OpenNES, big);
  // Pressed at the first progress report, after 800h bytes.
  cancelWhen([this] { return status().startsWith("Searching 800: "); });
  click(button("cmdSearch"));
  ASSERT_TRUE(clicked());
  expectRanCleanly();
  const QStringList seen = takeStatuses();
  EXPECT_EQ(seen, QStringList({"Searching...", "Searching 800: ", "Search Canceled at 800"}));
  // A report cut short by Cancel is kept beside the report's name.
  EXPECT_FALSE(dir.exists("big Output.txt"));
  const std::string report = Slurp(dir.file("big Output (incomplete).txt"));
  EXPECT_EQ(LastLine(report), "CANCELED at 800");
}

TEST_F(AnalysisTest, CancelStopsACompareAndReportsWhere) {
  std::string bytes(std::size_t{1} << 20, '\0');
  const std::string first = dir.write("first.bin", bytes);
  bytes[0x10] = 1;
  const std::string second = dir.write("second.bin", bytes);
  answer(Dialog::OpenNES, first);
  answer(Dialog::OpenNES, second);
  cancelWhen([this] { return status() == "2kB: 1 differences"; });
  click(button("cmdCompare"));
  ASSERT_TRUE(clicked());
  expectRanCleanly();
  const QStringList seen = takeStatuses();
  EXPECT_EQ(seen,
            QStringList({"Starting...", "2kB: 1 differences", "Canceled at 0800: 1 differences"}));
  const std::string report = Slurp(dir.file("first Compare (incomplete).txt"));
  const std::string tail = CrLf({"0010:         00            01", "CANCELED at 0800",
                                 std::string(61, '-'), "Canceled at 0800: 1 differences"});
  EXPECT_EQ(report.substr(report.size() - std::min(report.size(), tail.size())), tail);
}

}  // namespace
}  // namespace morvane
