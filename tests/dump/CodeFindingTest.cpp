// Telling code from data without a Table List, Tables.txt, and feeding it back.
#include <gtest/gtest.h>

#include "CodeFixture.h"

namespace morvane::test {
namespace {

const std::string kHeading =
    "Start\tEnd\tWidth\tHeight\tSkip1st\tSkip\tAddrOS\tIndexOS\tOptions\tTitle\r\n";

// jsr to a routine, a table read, and four bad bytes of data at the end.
const std::string kProgram = Rom({
    0x20,
    0x07,
    0x80,  // 8000 jsr $8007
    0xBD,
    0x0A,
    0x80,  // 8003 lda $800a,x
    0x60,  // 8006 rts
    0xA9,
    0x01,  // 8007 lda #$1
    0x60,  // 8009 rts
    0x02,
    0x03,
    0xFF,
    0x04,
});

TEST(CodeFinding, ConfirmsRunsAtReturnsAndWritesTablesTxt) {
  CodeRun run;
  const std::string out = run.run(kProgram, CodeSettings(0x8000, 0x800D, false), MiniOpcodes());
  EXPECT_EQ(run.result.outcome, Outcome::Done);
  EXPECT_EQ(Body(out),
            CrLf({"_8000:\tjsr $8007\t\t;call 8007", "\t\tlda $800a,x\t\t;A = tbl_800A,X",
                  "\t\trts\t\t\t;return", ";--------------------", "lbl_8007:\tlda #$1\t\t;A = 1",
                  "\t\trts\t\t\t;return", ";--------------------", ";--------------------",
                  "; Found Table 800A", ";--------------------", "tbl_800a:\t???\t\t\t;bad",
                  "800B:\t\t???\t\t\t;bad", "800C:\t\t???\t\t\t;bad", "800D:\t\t???\t\t\t;bad",
                  ";--------------------"}) +
                EmptyListings());
  EXPECT_EQ(run.tablesTxt(), kHeading + "800a\t800d\r\n");

  // Fed back with w/Tables, the found table is written as data.
  ScriptedHost again;
  again.answer(Dialog::OpenNES, run.dir.file("game.bin"));
  again.answer(Dialog::OpenTXT, run.dir.file("ops.txt"));
  again.answer(Dialog::OpenTableTXT, run.dir.file("Tables.txt"));
  EXPECT_EQ(PlainDumpJob(CodeSettings(0x8000, 0x800D, true), again).outcome, Outcome::Done);
  EXPECT_TRUE(again.warnings.empty());
  const std::string listed = Slurp(run.dir.file("game.asm.txt"));
  EXPECT_NE(listed.find(";--------------------\r\n; Table 800A thru 800D\r\n; 4 bytes\r\n"
                        ";--------------------\r\ntbl_800a:\t.byte $ 2\t;\r\n"),
            std::string::npos);
}

TEST(CodeFinding, BadRunsBecomeRawRowsOnlyWithRaw) {
  // Data first, then code that nothing points at.
  const std::string rom = Rom({0x02, 0x03, 0x60, 0xEA, 0x60, 0x02});
  for (const bool raw : {true, false}) {
    CodeRun run;
    run.run(rom, CodeSettings(0x8000, 0x8005, false, raw), MiniOpcodes());
    // 8000 opens a raw row, closed before the first good instruction (8002);
    // the run after the rts at 8004 is bad and stays open to the End.
    EXPECT_EQ(run.tablesTxt(),
              raw ? kHeading + "8000\t8001\t\t\t\t\t\t\t\t\tRaw\r\n8005\t8005\r\n" : kHeading)
        << raw;
  }
}

// The stacks grow: a run of any length before its return or jump is
// confirmed whole, and one that never ends still gets its listing.
TEST(CodeFinding, LongRunsOfTargetsNeverStopTheDump) {
  for (const int calls : {99, 100, 101, 400}) {
    for (const bool ends : {true, false}) {
      std::string rom;
      for (int i = 0; i < calls; ++i) rom += Rom({0x20, 0x00, 0x80});
      if (ends) rom += Rom({0x60});
      CodeRun run;
      const auto end = static_cast<std::int32_t>(0x8000 + rom.size() - 1);
      const std::string out = run.run(rom, CodeSettings(0x8000, end, false), MiniOpcodes());
      const std::string where = std::to_string(calls) + (ends ? " with rts" : "");
      EXPECT_EQ(run.result.outcome, Outcome::Done) << where;
      EXPECT_TRUE(run.host.warnings.empty()) << where;
      std::size_t listed = 0;
      for (std::size_t at = 0; (at = out.find("jsr $8000", at)) != std::string::npos; ++at) {
        ++listed;
      }
      EXPECT_EQ(listed, static_cast<std::size_t>(calls)) << where;
      // Confirmed only by the return that ends the run.
      EXPECT_EQ(out.find("lbl_8000:\tjsr $8000") != std::string::npos, ends) << where;
    }
  }
}

TEST(CodeFinding, RunsOnTheBundledSampleAndFeedsBack) {
  const std::string ops = std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt";
  TempDir dir;
  const std::string rom =
      dir.write("sample.nes", Slurp(std::string(MORVANE_SAMPLES_DIR) + "/sample.nes"));
  Settings s = CodeSettings(0x8000, 0xFFFF, false);
  s.header = true;
  s.blockText = "0.0";
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom).answer(Dialog::OpenTXT, ops);
  EXPECT_EQ(PlainDumpJob(s, host).outcome, Outcome::Done);
  EXPECT_TRUE(host.warnings.empty());
  const std::string tables = Slurp(dir.file("Tables.txt"));
  EXPECT_EQ(tables.rfind(kHeading, 0), 0u);
  // The pointer table read by lda TextPointers,x is found.
  EXPECT_NE(tables.find("\r\n804c\t"), std::string::npos);

  ScriptedHost again;
  again.answer(Dialog::OpenNES, rom).answer(Dialog::OpenTXT, ops);
  again.answer(Dialog::OpenTableTXT, dir.file("Tables.txt"));
  s.withTables = true;
  EXPECT_EQ(PlainDumpJob(s, again).outcome, Outcome::Done);
  EXPECT_TRUE(again.warnings.empty());
  EXPECT_NE(Slurp(dir.file("sample.asm.txt")).find("; Table 804C thru"), std::string::npos);
}

}  // namespace
}  // namespace morvane::test
