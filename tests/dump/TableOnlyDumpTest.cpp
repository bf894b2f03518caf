#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/DumpDriver.h"
#include "shell/ListingWords.h"
#include "shell/Reports.h"
#include "shell/SettingsModel.h"
#include "shell/Values.h"

namespace morvane {
namespace {

std::string Bytes(int count, int first = 0) {
  std::string s;
  for (int i = 0; i < count; ++i) s.push_back(static_cast<char>((first + i) & 0xFF));
  return s;
}

SettingsModel TableOnly() {
  SettingsModel m;
  m.chooseMode(kTableOnly);
  return m;
}

std::string Header(const std::string& name, const std::string& block, const std::string& base,
                   const std::string& range, long long bytes) {
  return BannerText() +
         CrLf({"", "View me in a mono-spaced font like Courier New with tabs set to 6 spaces!",
               ";--------------------", "; " + name, "; Block: " + block + " Address Base: " + base,
               "; Table " + range, "; " + std::to_string(bytes) + " bytes",
               ";--------------------"});
}

TEST(TableOnlyDump, WholeListingByteForByte) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", std::string(16, 'H') + Bytes(0x40));
  SettingsModel m = TableOnly();
  m.setStart("8003");
  m.setEnd("8012");
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  const JobResult r = PlainDumpJob(m.settings(), host);
  EXPECT_EQ(r.outcome, Outcome::Done);
  ASSERT_EQ(r.written, std::vector<std::string>{dir.file("game.asm.txt")});

  std::string expected = Header("game.nes", "0.0", "8000", "8003 thru 8012", 16);
  for (int a = 0x8003; a <= 0x8012; ++a) {
    const std::string label = (a == 0x8003 || a % 16 == 0) ? HexWord(a) + ":" : "";
    expected += label + ByteLine(static_cast<std::uint8_t>(a - 0x8000), false) + "\r\n";
  }
  expected += ";--------------------\r\n";
  EXPECT_EQ(Slurp(dir.file("game.asm.txt")), expected);
  EXPECT_EQ(host.busyEntered, 1);
  EXPECT_EQ(host.busyLeft, 1);
  EXPECT_TRUE(host.errors.empty());
}

TEST(TableOnlyDump, RangePastTheEndStopsAtTheLastByteAndHeaderKeepsTheRange) {
  TempDir dir;
  const std::string rom = dir.write("short.bin", Bytes(0x14));
  SettingsModel m = TableOnly();
  m.setHeader(false);
  m.setEnd("80FF");
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  PlainDumpJob(m.settings(), host);
  const std::string out = Slurp(dir.file("short.asm.txt"));
  EXPECT_NE(out.find("; Table 8000 thru 80FF\r\n; 256 bytes\r\n"), std::string::npos);
  EXPECT_NE(out.find("\t\t.byte $13\t;\r\n;--------------------\r\n"), std::string::npos);
  EXPECT_EQ(out.find(".byte $14"), std::string::npos);
}

TEST(TableOnlyDump, HeaderAndBlockSelectTheFileOffset) {
  TempDir dir;
  std::string bytes = std::string(16, '\0') + std::string(0x4000, '\x11') + Bytes(4, 0xA0);
  const std::string rom = dir.write("two.nes", bytes);
  SettingsModel m = TableOnly();
  m.setBlock("1.0");
  m.setEnd("8003");
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  PlainDumpJob(m.settings(), host);
  const std::string out = Slurp(dir.file("two.asm.txt"));
  EXPECT_NE(out.find("; Block: 1.0 Address Base: 8000\r\n"), std::string::npos);
  EXPECT_NE(out.find("8000:\t\t.byte $A0\t;\r\n\t\t.byte $A1"), std::string::npos);
}

TEST(TableOnlyDump, StartBelowBaseIsCorrectedWhenTheJobStarts) {
  TempDir dir;
  const std::string rom = dir.write("a.bin", Bytes(0x20));
  SettingsModel m = TableOnly();
  m.setHeader(false);
  m.setStart("6000");
  m.setEnd("5000");
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  PlainDumpJob(m.settings(), host);
  const std::string out = Slurp(dir.file("a.asm.txt"));
  EXPECT_NE(out.find("; Table 8000 thru 8000\r\n; 1 bytes\r\n"), std::string::npos);
  EXPECT_NE(out.find("8000:\t\t.byte $00\t;\r\n;----"), std::string::npos);
}

TEST(TableOnlyDump, CancelledDialogEndsQuietly) {
  SettingsModel m = TableOnly();
  ScriptedHost host;
  host.answer(Dialog::OpenNES, std::nullopt);
  const JobResult r = PlainDumpJob(m.settings(), host);
  EXPECT_EQ(r.outcome, Outcome::Cancelled);
  EXPECT_EQ(host.lastStatus(), "Dump Canceled");
  EXPECT_TRUE(host.errors.empty());
  EXPECT_TRUE(host.warnings.empty());
  EXPECT_FALSE(host.busy);
}

TEST(TableOnlyDump, BadRomsEndInTheDumpErrorReport) {
  TempDir dir;
  dir.write("empty.nes", "");
  std::filesystem::create_directory(dir.file("folder.nes"));
  struct Case {
    std::string rom;
    Outcome outcome;
  };
  const Case cases[] = {{dir.file("missing.nes"), Outcome::Failed},
                        {dir.file("folder.nes"), Outcome::Failed},
                        {dir.file("empty.nes"), Outcome::Done}};
  for (const Case& c : cases) {
    SettingsModel m = TableOnly();
    ScriptedHost host;
    host.answer(Dialog::OpenNES, c.rom);
    const JobResult r = PlainDumpJob(m.settings(), host);
    EXPECT_EQ(r.outcome, c.outcome) << c.rom;
    EXPECT_FALSE(host.busy);
    if (c.outcome == Outcome::Failed) {
      EXPECT_EQ(host.lastStatus(), "Dump Error");
      ASSERT_EQ(host.errors.size(), 1u);
      EXPECT_EQ(host.errors[0].find("Error #"), 0u);
      EXPECT_NE(host.errors[0].find("\r\n\r\nDump Error"), std::string::npos);
    }
  }
  // The empty ROM still gets its header and closing line; so does a Start beyond the file.
  const std::string out = Slurp(dir.file("empty.asm.txt"));
  EXPECT_NE(out.find(";--------------------\r\n;--------------------\r\n"), std::string::npos);
}

TEST(TableOnlyDump, EveryByteValueGetsItsLine) {
  TempDir dir;
  const std::string rom = dir.write("all.bin", Bytes(256));
  SettingsModel m = TableOnly();
  m.setHeader(false);
  m.setEnd("80FF");
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  PlainDumpJob(m.settings(), host);
  const std::string out = Slurp(dir.file("all.asm.txt"));
  for (int b = 0; b < 256; ++b) {
    EXPECT_NE(out.find(".byte $" + HexByte(b) + "\t;\r\n"), std::string::npos) << b;
  }
}

}  // namespace
}  // namespace morvane
