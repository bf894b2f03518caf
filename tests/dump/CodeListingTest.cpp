// Whole 8-bit Code listings, byte for byte, from small ROMs and Op_Codes files.
#include <gtest/gtest.h>

#include "CodeFixture.h"

namespace morvane::test {
namespace {

const std::string kNoTables = "Start\tEnd\r\n";

TEST(CodeListing, InstructionsNamesAndReferenceListingsWithATableList) {
  const std::string rom = Rom({
      0xA9, 0x05,        // 8000 lda #$5
      0x85, 0x10,        // 8002 sta $10
      0xAD, 0x02, 0x20,  // 8004 inc $2002   read and write names differ
      0x8D, 0x00, 0x20,  // 8007 sta $2000
      0xBD, 0x00, 0x90,  // 800A lda $9000,x
      0x9D, 0xAB, 0x12,  // 800D sta $12ab,x
      0xB1, 0xFF,        // 8010 lda ($ff),y  [uu+1] wraps to 0
      0xEE, 0xFF, 0x12,  // 8012 inc $12ff    [wwuu+1] stays in its page
      0xD0, 0x03,        // 8015 bne $801a
      0x20, 0x1B, 0x80,  // 8017 jsr $801b
      0xEA,              // 801A nop
      0x4C, 0x05, 0x03,  // 801B jmp $305
      0x8D, 0x21, 0x80,  // 801E sta $8021
      0x60,              // 8021 rts
  });
  const std::string names = "V\t10\t\tTEMP\r\nVR\t2002\t\tSTATUS\r\nVW\t2000\t\tCTRL\r\n";
  CodeRun run;
  const std::string out =
      run.run(rom, CodeSettings(0x8000, 0x8021, true), MiniOpcodes(names), &kNoTables);
  EXPECT_EQ(run.result.outcome, Outcome::Done);
  const std::string expected = CrLf({"_8000:\tlda #$5\t\t;A = 5",
                                     "\t\tsta $10\t\t;TEMP = A",
                                     "\t\tinc $2002\t\t;STATUS-->vbl_2002 += 1",
                                     "\t\tsta $2000\t\t;CTRL = A",
                                     "\t\tlda $9000,x\t\t;A = tbl_9000,X",
                                     "\t\tsta $12ab,x\t\t;tbl_12ab,X = A",
                                     "\t\tlda ($ff),y\t\t;A = (vbl_0:vbl_FF),Y",
                                     "\t\tinc $12ff\t\t;vbl_1200",
                                     "\t\tbne $801a\t\t;to 801A",
                                     "",
                                     "\t\tjsr $801b\t\t;call 801B",
                                     "lbl_801a:\tnop",
                                     "lbl_801b:\tjmp $305\t\t;jump 305",
                                     ";--------------------",
                                     "_801e:\tsta $8021\t\t;vbl_8021 = A",
                                     "\t\trts\t\t\t;return",
                                     ";--------------------",
                                     ";--------------------",
                                     ";External Code References",
                                     ";",
                                     ";lbl_0305",
                                     ";--------------------",
                                     ";External Read Table References",
                                     ";",
                                     ";9000 = tbl_9000",
                                     ";--------------------",
                                     ";External Write Table References",
                                     ";",
                                     ";12AB = tbl_12ab",
                                     ";--------------------",
                                     ";External Read Variable References",
                                     ";",
                                     ";  FF = vbl_FF",
                                     ";12FF = vbl_12FF",
                                     ";2002 = STATUS",
                                     ";--------------------",
                                     ";External Write Variable References",
                                     ";",
                                     ";  10 = TEMP",
                                     ";12FF = vbl_12FF",
                                     ";2000 = CTRL",
                                     ";2002 = vbl_2002",
                                     ";--------------------",
                                     ";Internal Read Variable References",
                                     ";",
                                     ";--------------------",
                                     ";Internal Write Variable References",
                                     ";",
                                     ";8021 = vbl_8021",
                                     ";--------------------"});
  EXPECT_EQ(Body(out), expected);
  EXPECT_NE(out.find("; Lines 8000 thru 8021\r\n; 34 bytes\r\n"), std::string::npos);
  EXPECT_FALSE(run.dir.exists("Tables.txt"));
}

TEST(CodeListing, AnInstructionOverlappingALabelIsWrittenAsData) {
  // jmp $8001 lands inside lda #$60: the lda becomes data, the rts is code.
  const std::string rom = Rom({0xA9, 0x60, 0x4C, 0x01, 0x80});
  CodeRun run;
  const std::string out =
      run.run(rom, CodeSettings(0x8000, 0x8004, true), MiniOpcodes(), &kNoTables);
  EXPECT_EQ(Body(out), CrLf({"_8000:\t.byte $A9\t\t;?", "lbl_8001:\trts\t\t\t;return",
                             ";--------------------", "_8002:\tjmp $8001\t\t;jump 8001",
                             ";--------------------", ";--------------------"}) +
                           EmptyListings());
}

TEST(CodeListing, OperandEdgeCases) {
  // A branch past FFFF is written in five digits and labels nothing; an
  // operand cut off by the end of the file keeps its placeholder.
  std::string rom(0x4000, '\xEA');
  rom[0x3FFB] = '\xD0';
  rom[0x3FFC] = '\x7F';
  rom[0x3FFD] = '\xA5';
  rom[0x3FFE] = '\x05';
  rom[0x3FFF] = '\xAD';
  Settings s = CodeSettings(0xFFFB, 0xFFFF, true);
  s.base = 0xC000;
  CodeRun run;
  const std::string out = run.run(rom, s, MiniOpcodes(), &kNoTables);
  EXPECT_EQ(Body(out), CrLf({"_fffb:\tbne $1007c\t\t;to 1007C", "", "\t\tlda $5\t\t;A = vbl_5",
                             "\t\tinc $wwuu\t\t;wwuu += 1", ";--------------------"}) +
                           CrLf({";External Code References",
                                 ";",
                                 ";--------------------",
                                 ";External Read Table References",
                                 ";",
                                 ";--------------------",
                                 ";External Write Table References",
                                 ";",
                                 ";--------------------",
                                 ";External Read Variable References",
                                 ";",
                                 ";   5 = vbl_5",
                                 ";--------------------",
                                 ";External Write Variable References",
                                 ";",
                                 ";--------------------",
                                 ";Internal Read Variable References",
                                 ";",
                                 ";--------------------",
                                 ";Internal Write Variable References",
                                 ";",
                                 ";--------------------"}));
}

TEST(CodeListing, NamesGoIntoCommentsOnePlaceholderAfterTheOther) {
  // The name put for [uu+1] is searched again for uu; a branch below 0000
  // keeps its 32-bit hex.
  std::string rom = Rom({0xB1, 0x10, 0xD0, 0x80});
  Settings s = CodeSettings(0x0000, 0x0003, true);
  s.base = 0x0000;
  CodeRun run;
  const std::string out = run.run(rom, s, MiniOpcodes("V\t11\t\tMenuu\r\n"), &kNoTables);
  const std::string expected = CrLf(
      {"_0000:\tlda ($10),y\t\t;A = (Menvbl_10:vbl_10),Y", "\t\tbne $ffffff84\t;to FFFFFF84", ""});
  EXPECT_EQ(Body(out).substr(0, expected.size()), expected);
}

TEST(CodeListing, DefinitionFilesThatFailStopTheDump) {
  {  // Op_Codes file rejected: its own message, then "Dump Canceled".
    CodeRun run;
    run.run(Rom({0x60}), CodeSettings(0x8000, 0x8000, true), "O\t\tnop\r\n", &kNoTables);
    ASSERT_EQ(run.host.warnings.size(), 1u);
    EXPECT_EQ(run.host.lastStatus(), "Dump Canceled");
    EXPECT_FALSE(run.dir.exists("game.asm.txt"));
    EXPECT_EQ(run.host.busyLeft, 1);
  }
  {  // Table List rejected: its own message, the status left alone.
    CodeRun run;
    const std::string bad = "8000\t7000\r\n";
    run.run(Rom({0x60}), CodeSettings(0x8000, 0x8000, true), MiniOpcodes(), &bad);
    ASSERT_EQ(run.host.warnings.size(), 1u);
    EXPECT_EQ(run.host.warnings[0].first, "Error while Reading Table List File");
    EXPECT_TRUE(run.host.statuses.empty());
    EXPECT_FALSE(run.dir.exists("game.asm.txt"));
  }
  {  // A name past the top of memory: the job error box, not a quiet cancel.
    CodeRun run;
    run.run(Rom({0x60}), CodeSettings(0x8000, 0x8000, true), MiniOpcodes("V\t10001\t\tTOP\r\n"),
            &kNoTables);
    ASSERT_EQ(run.host.errors.size(), 1u);
    EXPECT_NE(run.host.errors[0].find("Dump Error"), std::string::npos);
    EXPECT_NE(run.host.errors[0].find("ops.txt"), std::string::npos);
    EXPECT_EQ(run.host.lastStatus(), "Dump Error");
    EXPECT_FALSE(run.dir.exists("game.asm.txt"));
  }
  {  // A Table List that isn't there.
    ScriptedHost host;
    TempDir dir;
    host.answer(Dialog::OpenNES, dir.write("game.bin", Rom({0x60})));
    host.answer(Dialog::OpenTXT, dir.write("ops.txt", MiniOpcodes()));
    host.answer(Dialog::OpenTableTXT, dir.file("missing.txt"));
    PlainDumpJob(CodeSettings(0x8000, 0x8000, true), host);
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.lastStatus(), "Dump Error");
  }
  {  // Cancel in the Table List dialog.
    CodeRun run;
    run.run(Rom({0x60}), CodeSettings(0x8000, 0x8000, true), MiniOpcodes());
    EXPECT_EQ(run.host.lastStatus(), "Dump Canceled");
    EXPECT_TRUE(run.host.warnings.empty());
    EXPECT_EQ(run.result.outcome, Outcome::Cancelled);
  }
}

TEST(CodeListing, NeverWritesTablesTxtOverAnInput) {
  TempDir dir;
  const std::string ops = dir.write("Tables.txt", MiniOpcodes());
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write("game.nes", Rom({0x60})));
  host.answer(Dialog::OpenTXT, ops);
  PlainDumpJob(CodeSettings(0x8000, 0x8000, false), host);
  EXPECT_EQ(Slurp(ops), MiniOpcodes());
  EXPECT_EQ(host.lastStatus(), "Dump Minor Error");
  ASSERT_EQ(host.warnings.size(), 1u);
}

}  // namespace
}  // namespace morvane::test
