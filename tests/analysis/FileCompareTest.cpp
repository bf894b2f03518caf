#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/FileCompare.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

const std::string kEquals = std::string(61, '=') + "\r\n";
const std::string kHyphens = std::string(61, '-') + "\r\n";

std::string Header(const std::string& start = "0") {
  return BannerText() + CrLf({"--------------------", "Differences between", "File 1: a.bin", "and",
                              "File 2: b.bin", "Starting at byte " + start, "",
                              "Address       File1         File2"});
}

std::string Tail(const std::string& status) {
  return kHyphens + status + "\r\n";
}

struct CompareRun {
  JobResult result;
  std::string report;
};

struct Tables {
  std::string tbl1;
  std::string tbl2;
};

CompareRun Compare(ScriptedHost& host, const TempDir& dir, const std::string& a,
                   const std::string& b, const Tables* tables = nullptr, double block = 0.0) {
  host.answer(Dialog::OpenNES, dir.write("a.bin", a));
  host.answer(Dialog::OpenNES, dir.write("b.bin", b));
  if (tables) {
    host.setShowStrings(true);
    host.answer(Dialog::OpenTBL, dir.write("one.tbl", tables->tbl1));
    host.answer(Dialog::OpenTBL, dir.write("two.tbl", tables->tbl2));
  }
  Settings s;
  s.block = block;
  CompareRun run;
  run.result = CompareJob(s, host);
  // A comparison that stopped keeps its report beside the name.
  run.report = run.result.written.empty() ? std::string() : Slurp(run.result.written.front());
  EXPECT_EQ(host.busyEntered, 1);
  EXPECT_FALSE(host.busy);
  return run;
}

// How the job error box ends for a file that is not there.
const std::string kNotThere = "\r\n\r\nThe file does not exist.";

std::string Flip(std::string bytes, std::initializer_list<std::size_t> at) {
  for (std::size_t i : at) bytes[i] = static_cast<char>(bytes[i] ^ 0xFF);
  return bytes;
}

TEST(FileCompare, IdenticalFiles) {
  TempDir dir;
  ScriptedHost host;
  const CompareRun run = Compare(host, dir, "same bytes", "same bytes");
  EXPECT_EQ(run.report, Header() + Tail("Done: 0 differences"));
  EXPECT_EQ(host.statuses, (std::vector<std::string>{"Starting...", "Done: 0 differences"}));
  EXPECT_EQ(run.result.outcome, Outcome::Done);
  EXPECT_EQ(run.result.written, std::vector<std::string>{dir.file("a Compare.txt")});
}

TEST(FileCompare, DividersFollowTheGap) {
  TempDir dir;
  ScriptedHost host;
  const std::string a(64, '\0');
  const CompareRun run = Compare(host, dir, a, Flip(a, {0, 1, 3, 7, 24, 42, 45}) + "longer");
  EXPECT_EQ(
      run.report,
      Header() + kEquals +
          CrLf({"0000:         00            FF", "0001:         00            FF", "------",
                "0003:         00            FF"}) +
          kHyphens + CrLf({"0007:         00            FF"}) + kHyphens +
          CrLf({"0018:         00            FF"}) + kEquals +
          CrLf({"002A:         00            FF", "------", "002D:         00            FF"}) +
          Tail("Done: 7 differences; the files differ in length (64 and 70 bytes)"));
}

// Bytes only one file has are not compared, but the summary says the files
// differ in length.
TEST(FileCompare, FilesOfAnotherLength) {
  struct Case {
    std::string a, b, status;
  };
  for (const Case& c :
       {Case{"", "abc", "Done: 0 differences; the files differ in length (0 and 3 bytes)"},
        Case{"abcd", "", "Done: 0 differences; the files differ in length (4 and 0 bytes)"},
        Case{"abcd", "abXdef",
             "Done: 1 differences; the files differ in length (4 and 6 bytes)"}}) {
    TempDir dir;
    ScriptedHost host;
    const CompareRun run = Compare(host, dir, c.a, c.b);
    EXPECT_EQ(host.lastStatus(), c.status);
    EXPECT_TRUE(run.report.ends_with(Tail(c.status))) << run.report;
    EXPECT_EQ(run.result.outcome, Outcome::Done);
  }
}

TEST(FileCompare, WidePositionsProgressAndTheStartBlock) {
  TempDir dir;
  const std::string a(0x1C1E2, 'x');
  const std::string b = Flip(a, {0x0FBA, 0x1C1E1});
  ScriptedHost whole;
  const CompareRun all = Compare(whole, dir, a, b);
  EXPECT_EQ(all.report, Header() + kEquals + CrLf({"0FBA:         78            87"}) + kEquals +
                            CrLf({"1C1E1:        78            87"}) + Tail("Done: 2 differences"));
  EXPECT_EQ(whole.yields, 56);
  EXPECT_EQ(whole.statuses[1], "2kB: 0 differences");
  EXPECT_EQ(whole.statuses[2], "4kB: 1 differences");
  EXPECT_EQ(whole.statuses[56], "112kB: 1 differences");

  ScriptedHost host4;
  const CompareRun block4 = Compare(host4, dir, a, b, nullptr, 4.0);
  EXPECT_EQ(block4.report, Header("10000") + kEquals + CrLf({"1C1E1:        78            87"}) +
                               Tail("Done: 1 differences"));
  EXPECT_EQ(host4.statuses[1], "66kB: 0 differences");
}

TEST(FileCompare, ShowStringsThroughBothTables) {
  TempDir dir;
  ScriptedHost host;
  const Tables tables{"41=A\r\n42=B\r\n/FF\r\n", "61=a\r\n62=b\r\n"};
  const std::string a("\x00\x41\x42\x43\x00\x00\x00\xFF\x00\x41", 10);
  const std::string b("\x00\x61\x62\x99\x00\x00\x00\x62\x00\x07", 10);
  const CompareRun run = Compare(host, dir, a, b, &tables);
  EXPECT_EQ(host.asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenTBL, Dialog::OpenNES,
                                             Dialog::OpenTBL}));
  EXPECT_EQ(
      run.report,
      Header() + kEquals +
          CrLf({"0001:         41            61", "0002:         42            62",
                "0003:         43            99", "File1:        AB{43}", "File2:        ab"}) +
          kHyphens +
          CrLf({"0007:         FF            62", "File1:        /", "File2:        b", "------",
                "0009:         41            07", "File1:        A", "File2:        "}) +
          Tail("Done: 5 differences"));
}

// Show Strings is read at every difference and every first equal byte.
class ToggleHost : public ScriptedHost {
 public:
  explicit ToggleHost(bool (*rule)(int yields)) : rule_(rule) {}
  bool showStrings() override { return rule_(yields); }

 private:
  bool (*rule_)(int);
};

TEST(FileCompare, ShowStringsReadLive) {
  TempDir dir;
  const Tables tables{"41=A\r\n", "41=a\r\n"};
  const std::string a(0x2000, '\0');
  std::string a2 = a;
  for (std::size_t i : {0x7FE, 0x7FF, 0x800, 0x801, 0xBB8, 0x1388}) a2[i] = 'A';
  const std::string b = Flip(a, {0x7FE, 0x7FF, 0x800, 0x801, 0xBB8, 0x1388});
  // Off between the first and second step, then on again: the texts of the
  // run around the first step keep what was gathered while it was on.
  ToggleHost host([](int yields) { return yields != 1; });
  host.answer(Dialog::OpenTBL, dir.write("one.tbl", tables.tbl1));
  host.answer(Dialog::OpenTBL, dir.write("two.tbl", tables.tbl2));
  const CompareRun run = Compare(host, dir, a2, b);
  EXPECT_EQ(run.report,
            Header() + kEquals +
                CrLf({"07FE:         41            FF", "07FF:         41            FF",
                      "0800:         41            FF", "0801:         41            FF"}) +
                kEquals + CrLf({"0BB8:         41            FF"}) + kEquals +
                CrLf({"1388:         41            FF", "File1:        AAA", "File2:        "}) +
                Tail("Done: 6 differences"));

  // Checked during a run whose tables were never chosen: nothing to show.
  ToggleHost late([](int yields) { return yields >= 1; });
  const CompareRun none = Compare(late, dir, a2, b);
  EXPECT_EQ(late.asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenNES}));
  EXPECT_EQ(none.report.find("File1:"), std::string::npos);
}

TEST(FileCompare, CancelAtAStep) {
  TempDir dir;
  const Tables tables{"", ""};
  const std::string a(0x3000, '\0');
  ScriptedHost host;
  host.cancelAfterYields(1);
  const CompareRun run = Compare(host, dir, a, Flip(a, {5, 0x7FF}), &tables);
  EXPECT_EQ(run.report,
            Header() + kEquals +
                CrLf({"0005:         00            FF", "File1:        {00}", "File2:        "}) +
                kEquals +
                CrLf({"07FF:         00            FF", "File1:        {00}",
                      "File2:        ", "CANCELED at 0800"}) +
                Tail("Canceled at 0800: 2 differences"));
  EXPECT_EQ(host.lastStatus(), "Canceled at 0800: 2 differences");
  EXPECT_EQ(run.result.outcome, Outcome::Cancelled);
}

TEST(FileCompare, DialogsCancelledOrFilesMissing) {
  TempDir dir;
  const std::string a = dir.write("a.bin", "abc");
  const std::string b = dir.write("b.bin", "abd");
  const std::string t = dir.write("t.tbl", "61=a\r\n");
  struct Case {
    bool show;
    std::vector<std::optional<std::string>> roms;
    std::vector<std::optional<std::string>> tables;
    std::string status;
    std::string error;
  };
  const std::string first = "Compare Files - Selecting 1st File";
  const std::string second = "Compare Files - Selecting 2nd File";
  const std::vector<Case> cases = {
      {false, {}, {}, "Compare Canceled", ""},
      {true, {a}, {}, "Compare Canceled", ""},
      {false, {a}, {}, "Compare Canceled", ""},
      {true, {a, b}, {t}, "Compare Error", ErrorBoxText(32755, second, b)},
      {false,
       {dir.file("gone.bin"), b},
       {},
       "Compare Error",
       ErrorBoxText(53, first, dir.file("gone.bin")) + kNotThere},
      {false,
       {a, dir.file("gone.bin")},
       {},
       "Compare Error",
       ErrorBoxText(53, second, dir.file("gone.bin")) + kNotThere},
      {true,
       {a, b},
       {dir.file("gone.tbl"), t},
       "Compare Error",
       ErrorBoxText(53, second, dir.file("gone.tbl")) + kNotThere},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const Case& c = cases[i];
    ScriptedHost host;
    host.setShowStrings(c.show);
    for (const auto& r : c.roms) host.answer(Dialog::OpenNES, r);
    for (const auto& r : c.tables) host.answer(Dialog::OpenTBL, r);
    const JobResult result = CompareJob(Settings{}, host);
    EXPECT_EQ(host.lastStatus(), c.status);
    EXPECT_EQ(host.errors,
              c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error});
    EXPECT_EQ(result.outcome, c.error.empty() ? Outcome::Cancelled : Outcome::Failed);
    EXPECT_FALSE(dir.exists("a Compare.txt"));
    EXPECT_FALSE(host.busy);
  }
}

TEST(FileCompare, ReportNamedLikeTheSecondFileIsRefused) {
  TempDir dir;
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write("a.bin", "abc"));
  host.answer(Dialog::OpenNES, dir.write("a Compare.txt", "abd"));
  EXPECT_EQ(CompareJob(Settings{}, host).outcome, Outcome::Warned);
  EXPECT_EQ(host.lastStatus(), "Compare Error");
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_EQ(host.warnings[0].first, "Output File Error");
  EXPECT_EQ(host.warnings[0].second,
            "The output file " + dir.file("a Compare.txt") + " would replace the input file " +
                dir.file("a Compare.txt") + ".\r\n\r\nFilename accessed -> " +
                dir.file("a Compare.txt"));
  EXPECT_EQ(Slurp(dir.file("a Compare.txt")), "abd");
}

}  // namespace
}  // namespace morvane
