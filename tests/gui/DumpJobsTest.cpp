// The dump button in all five modes, on the bundled sample.
#include "JobFixture.h"

namespace morvane {
namespace {

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(JobTest, TableOnlyAndTextDumpsOfTheSample) {
  const std::string rom = copySample("sample.nes");
  const std::string tbl = copySample("sample.tbl");
  const std::string original = Slurp(rom);

  click(option("opFeatures", 0));
  retype("txtStart", "8054");
  retype("txtEnd", "805F");
  answer(Dialog::OpenNES, rom);
  click(button("cmdDump"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked, std::vector<Dialog>{Dialog::OpenNES});
  const std::string table = Slurp(dir.file("sample.asm.txt"));
  EXPECT_TRUE(Holds(table, "; Table 8054 thru 805F\r\n; 12 bytes\r\n")) << table;
  EXPECT_TRUE(Holds(table, "8054:\t\t.byte $48\t;")) << table;

  // Text, as text: the phrases through the character table.
  click(option("opFeatures", 1));
  EXPECT_FALSE(check("chkAsTable")->isChecked());
  retype("txtEnd", "8093");
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdDump"));
  expectRanCleanly();
  const std::string text = Slurp(dir.file("sample Text.txt"));
  EXPECT_TRUE(Holds(text, CrLf({"0:8054:", "HELLO WORLD!", "0"}))) << text;
  EXPECT_TRUE(Holds(text, "THE END.")) << text;

  // Text, as a table, concatenated.
  click(check("chkAsTable"));
  EXPECT_TRUE(check("chkConcat")->isEnabled());
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdDump"));
  expectRanCleanly();
  const std::string asTable = Slurp(dir.file("sample.asm.txt"));
  EXPECT_TRUE(Holds(asTable, "; Table 8054 thru 8093\r\n")) << asTable;
  EXPECT_TRUE(Holds(asTable, "HELLO WORLD!")) << asTable;
  EXPECT_EQ(Slurp(rom), original);
  EXPECT_EQ(Slurp(tbl), Slurp(MORVANE_SAMPLES_DIR "/sample.tbl"));
}

TEST_F(JobTest, PseudoCodeDumpsOfTheSample) {
  const std::string rom = copySample("sample.nes");
  click(option("opFeatures", 2));
  EXPECT_EQ(settings().base, 0x6000);
  // The sample's code read as speech pseudo-code from the start of the file.
  retype("txtStart", "6000");
  retype("txtEnd", "60BF");
  answer(Dialog::OpenNES, rom);
  click(button("cmdDump"));
  expectRanCleanly();
  const std::string speech = Slurp(dir.file("sample.asm.txt"));
  EXPECT_TRUE(Holds(speech, "; Table 6000 thru 60BF\r\n")) << speech;
  EXPECT_TRUE(Holds(speech, "6000:\t\t.byte $78\t;UNDEFINED!\r\n")) << speech;

  click(option("opFeatures", 3));
  EXPECT_EQ(text("txtBlock"), "1.0");
  EXPECT_EQ(text("txtStart"), "C5D3");
  // The sample is smaller than the game: its first bank read as menus.
  retype("txtBlock", "0");
  retype("txtStart", "8000");
  retype("txtEnd", "80BF");
  answer(Dialog::OpenNES, rom);
  click(button("cmdDump"));
  expectRanCleanly();
  const std::string menu = Slurp(dir.file("sample.asm.txt"));
  EXPECT_TRUE(Holds(menu, "; Block: 0.0 Address Base: 8000\r\n; Table 8000 thru 80BF\r\n")) << menu;
  EXPECT_TRUE(Holds(menu, ";Menu 1\r\n")) << menu;
  EXPECT_TRUE(Holds(menu, "If This Entry Is Selected Then")) << menu;
}

TEST_F(JobTest, CodeDumpWithTheSampleTableList) {
  const std::string rom = copySample("sample.nes");
  const std::string ops = copySample("Op_Codes_NES.txt");
  const std::string list = copySample("sample_tables.txt");
  const std::string tbl = copySample("sample.tbl");
  EXPECT_TRUE(option("opFeatures", 4)->isChecked());
  retype("txtEnd", "80BF");
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTXT, ops);
  answer(Dialog::OpenTableTXT, list);
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdDump"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenTXT,
                                                 Dialog::OpenTableTXT, Dialog::OpenTBL}));
  const std::string code = Slurp(dir.file("sample.asm.txt"));
  EXPECT_TRUE(Holds(code, "; Lines 8000 thru 80BF\r\n")) << code;
  EXPECT_TRUE(Holds(code, "_8000:\tsei\t")) << code;
  EXPECT_TRUE(Holds(code, "; Table Text: 8054 thru 8060\r\n")) << code;
  // With tables the list is read, not written.
  EXPECT_EQ(Slurp(list), Slurp(MORVANE_SAMPLES_DIR "/sample_tables.txt"));
  EXPECT_FALSE(dir.exists("Tables.txt"));
}

// Find Window, offered only with Trace, has the traced dump find the window
// the bank runs at and say so in the listing's header; unchecked, the preset
// and range rule as before.
TEST_F(JobTest, TracedDumpFindsTheWindowWhenAsked) {
  const std::string rom = copySample("sample.nes");
  const std::string ops = copySample("Op_Codes_NES.txt");
  EXPECT_FALSE(check("chkWindow")->isEnabled());
  click(check("chkTrace"));
  ASSERT_TRUE(check("chkWindow")->isEnabled());
  for (const bool find : {true, false}) {
    if (check("chkWindow")->isChecked() != find) click(check("chkWindow"));
    answer(Dialog::OpenNES, rom);
    answer(Dialog::OpenTXT, ops);
    click(button("cmdDump"));
    expectRanCleanly();
    const std::string code = Slurp(dir.file("sample.asm.txt"));
    EXPECT_EQ(Holds(code, "; Window 8000: found from 32 KiB of PRG ROM fill 8000-FFFF.\r\n"), find)
        << code;
    EXPECT_TRUE(Holds(code, "; Lines 8000 thru BFFF\r\n")) << code;
  }
  click(check("chkTrace"));
  EXPECT_FALSE(check("chkWindow")->isEnabled());
}

}  // namespace
}  // namespace morvane
