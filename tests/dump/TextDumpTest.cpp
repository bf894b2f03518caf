#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "dump/DumpDriver.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

constexpr std::string_view kRule = ";--------------------";
constexpr std::string_view kHiragana = "\xE3\x81\x82";  // UTF-8, three bytes

// End of phrase FF, new line FE, alternate end E0, a two-character text and
// a UTF-8 one.
const std::string kTable =
    CrLf({"/FF", "*FE", "20= ", "41=A", "42=B", "43=C", "10=cd", "E0=\\/", "A0=\xE3\x81\x82"});

Settings TextSettings(std::size_t romSize) {
  Settings s;
  s.mode = kText;
  s.header = false;
  s.start = 0x8000;
  s.end = 0x8000 + static_cast<int>(romSize) - 1;
  s.startText = "8000";
  s.endText = LowerCase(HexWord(s.end));
  return s;
}

// A Text dump of rom (a headerless file at 8000) through kTable.
struct TextDump {
  TempDir dir;
  ScriptedHost host;
  JobResult result;

  std::string run(std::string_view rom, const Settings& settings) {
    host.answer(Dialog::OpenNES, dir.write("test.bin", rom))
        .answer(Dialog::OpenTBL, dir.write("test.tbl", kTable));
    result = PlainDumpJob(settings, host);
    EXPECT_EQ(result.outcome, Outcome::Done);
    EXPECT_EQ(host.asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenTBL}));
    EXPECT_EQ(result.written.size(), 1u);
    return result.written.empty() ? "" : Slurp(result.written[0]);
  }
};

std::string Head(const Settings& s) {
  return BannerText() +
         CrLf({"", "View me in a mono-spaced font like Courier New with tabs set to 6 spaces!",
               kRule, "; test.bin", "; Block: 0.0 Address Base: 8000",
               "; Table 8000 thru " + HexWord(s.end),
               "; " + std::to_string(s.end - s.start + 1) + " bytes", kRule});
}

std::string ScriptFooter(std::string_view phrases, std::string_view chars, std::string_view range) {
  return CrLf(
      {kRule,
       "To insert this back into the ROM, move the following 6 lines to the top of your file,",
       "and, replace NONE with the pointer table address.",
       "See Help->How to Use Morvane - Part 1 - Insertion for more details and options.", "",
       "test Text", phrases, chars, "Ptrs\tNONE\t[NONE+1]\t-8000\t2", "Blocks\t1\t", range, kRule,
       ""});
}

// Two lines; an empty phrase; a phrase ended by the alternate end; one
// opened by it; and a phrase cut off by the end of the dump.
const std::string kPhrases =
    "\x41\x07\x42\xFE\x43\xFF"  // 8000 "AB" (07 undefined) / "C"
    "\xFF"                      // 8006 empty
    "\x10\x20\xA0\xFE\x42\xE0"  // 8007 "cd " + hiragana / "B", alternate end
    "\x43\xFF"                  // 800D "C"
    "\xE0\x41\xFF"              // 800F alternate end right after the end byte
    "\x42\x42";                 // 8012 cut off

TEST(TextDump, AsTextWritesAScript) {
  TextDump dump;
  const Settings s = TextSettings(kPhrases.size());
  const std::string out = dump.run(kPhrases, s);
  EXPECT_EQ(FileNameOf(dump.result.written[0]), "test Text.txt");
  const std::string cd = "cd " + std::string(kHiragana);
  EXPECT_EQ(out, Head(s) + CrLf({"0:8000:", "AB",      "C", "0",   "0", "",  //
                                 "1:8006:", "",        "1", "",              //
                                 "2:8007:", cd,        "B", "\\/", "2", "2", "\\/",
                                 "",        "3:800D:", "C", "3",   "",  //
                                 "4:800F:", "\\/",     "A", "\\/", "4", "",  "5:8012:"}) +
                     ScriptFooter("Phrases\t0\t4", "Chars\t6\t2\t", "Text\t8000\t8013\t-8000"));
}

TEST(TextDump, AsTableWithConcat) {
  TextDump dump;
  Settings s = TextSettings(kPhrases.size());
  s.asTable = true;
  const std::string out = dump.run(kPhrases, s);
  EXPECT_EQ(FileNameOf(dump.result.written[0]), "test.asm.txt");
  const std::string cd = "cd " + std::string(kHiragana);
  auto phrase = [](std::string_view n) {
    return CrLf({";----", ";Phrase " + std::string(n), ";----"});
  };
  EXPECT_EQ(out, Head(s) + phrase("0") +
                     CrLf({"8000:\t\t.byte $41\t;", "\t\t.byte $07\t;", "\t\t.byte $42\t;",
                           "\t\t.byte $FE\t;AB", "", "\t\t.byte $43\t;", "\t\t.byte $FF\t;C"}) +
                     phrase("1") + CrLf({"8006:\t\t.byte $FF\t;"}) + phrase("2") +
                     CrLf({"8007:\t\t.byte $10\t;", "\t\t.byte $20\t;", "\t\t.byte $A0\t;",
                           "\t\t.byte $FE\t;" + cd, "", "\t\t.byte $42\t;", "\t\t.byte $E0\t;B",
                           "\t\t\t\t;\\/"}) +
                     phrase("3") + CrLf({"800D:\t\t.byte $43\t;", "\t\t.byte $FF\t;C"}) +
                     phrase("4") +
                     CrLf({"800F:\t\t.byte $E0\t;\\/", "\t\t.byte $41\t;", "\t\t.byte $FF\t;A"}) +
                     phrase("5") + CrLf({"8012:\t\t.byte $42\t;", "\t\t.byte $42\t;", kRule}));
}

TEST(TextDump, AsTableWithoutConcatAndANegativeFirstPhrase) {
  TextDump dump;
  const std::string rom = "\x41\x42\xFE\x43\xFF\x42";
  Settings s = TextSettings(rom.size());
  s.asTable = true;
  s.concat = false;
  s.phraseText = "-1";
  EXPECT_EQ(dump.run(rom, s),
            Head(s) + CrLf({";----", ";Phrase FFFF", ";----", "8000:\t\t.byte $41\t;A",
                            "\t\t.byte $42\t;B", "\t\t.byte $FE\t;", "", "\t\t.byte $43\t;C",
                            "\t\t.byte $FF\t;", ";----", ";Phrase 0", ";----",
                            "8005:\t\t.byte $42\t;B", kRule}));
}

TEST(TextDump, HeaderCountsOnlyFinishedPhrasesAndLines) {
  // maxLines is taken when the next phrase starts, so the last phrase's
  // three lines do not count; phrase numbers print as 16-bit values.
  TextDump dump;
  const std::string rom = "\x41\xFF\x41\xFE\x42\xFE\x43\xFF";
  Settings s = TextSettings(rom.size());
  s.phraseText = "-1";
  EXPECT_EQ(dump.run(rom, s),
            Head(s) +
                CrLf({"FFFF:8000:", "A", "-1", "", "0:8002:", "A", "B", "C", "0", "0", "0", ""}) +
                ScriptFooter("Phrases\tFFFF\t0", "Chars\t1\t1\t", "Text\t8000\t8007\t-8000"));
}

// Two bytes before every phrase but the first: a screen position, say.
const std::string kSkipped =
    "\x41\x42\xFF"      // 8000 phrase 0 "AB"
    "\x05\xE0"          // skipped, the second one the alternate end's value
    "\x43\xFE\x41\xE0"  // 8005 phrase 1 "C" / "A", alternate end
    "\x07\x08"          // skipped
    "\x42\xFF"          // 800B phrase 2 "B"
    "\x09";             // skipped; the dump ends

TEST(TextDump, SkippedBytesAsText) {
  // Each phrase closes apart from the byte that starts the next one, ends with
  // an empty line like any other, and the skipped bytes follow it.
  TextDump dump;
  Settings s = TextSettings(kSkipped.size());
  s.lengthText = "2";
  EXPECT_EQ(dump.run(kSkipped, s),
            Head(s) +
                CrLf({"0:8000:", "AB", "0", "", "{05}{E0}",  //
                      "1:8005:", "C", "A", "\\/", "1", "1", "\\/", "", "{07}{08}", "2:800B:", "B",
                      "2", "", "{09}"}) +
                ScriptFooter("Phrases\t0\t2", "Chars\t2\t2\t", "Text\t8000\t800D\t-8000"));
}

TEST(TextDump, SkippedBytesAsTable) {
  // No byte line is written twice.
  TextDump dump;
  Settings s = TextSettings(kSkipped.size());
  s.lengthText = "2";
  s.asTable = true;
  EXPECT_EQ(dump.run(kSkipped, s), Head(s) + CrLf({";----",
                                                   ";Phrase 0",
                                                   ";----",
                                                   "8000:\t\t.byte $41\t;",
                                                   "\t\t.byte $42\t;",
                                                   "\t\t.byte $FF\t;AB",
                                                   "\t\t.byte $05\t;",
                                                   "\t\t.byte $E0\t;",
                                                   "0",
                                                   "",
                                                   "{05}{E0}",
                                                   ";----",
                                                   ";Phrase 1",
                                                   ";----",
                                                   "8005:\t\t.byte $43\t;",
                                                   "\t\t.byte $FE\t;C",
                                                   "",
                                                   "\t\t.byte $41\t;",
                                                   "\t\t.byte $E0\t;A",
                                                   "\t\t\t\t;\\/",
                                                   "\t\t.byte $07\t;",
                                                   "\t\t.byte $08\t;",
                                                   "1",
                                                   "1",
                                                   "\\/",
                                                   "",
                                                   "{07}{08}",
                                                   ";----",
                                                   ";Phrase 2",
                                                   ";----",
                                                   "800B:\t\t.byte $42\t;",
                                                   "\t\t.byte $FF\t;B",
                                                   "\t\t.byte $09\t;",
                                                   "2",
                                                   "",
                                                   "{09}",
                                                   kRule}));
}

TEST(TextDump, NoControlBytesMakeOnePhrase) {
  TextDump dump;
  const std::string rom = "\x41\xFF\xFE\x42";
  Settings s = TextSettings(rom.size());
  dump.host.answer(Dialog::OpenNES, dump.dir.write("test.bin", rom))
      .answer(Dialog::OpenTBL, dump.dir.write("test.tbl", "41=A\r\n"));
  const JobResult r = PlainDumpJob(s, dump.host);
  ASSERT_EQ(r.outcome, Outcome::Done);
  EXPECT_EQ(Slurp(r.written[0]),
            Head(s) + CrLf({"0:8000:"}) +
                ScriptFooter("Phrases\t0\tFFFF", "Chars\t0\t1\t", "Text\t8000\t8003\t-8000"));
}

TEST(TextDump, PhraseNumberOverflowEndsTheDump) {
  TextDump dump;
  const std::string rom = "\x41\xFF\x42\xFF";
  Settings s = TextSettings(rom.size());
  s.phraseText = "7FFF";
  dump.host.answer(Dialog::OpenNES, dump.dir.write("test.bin", rom))
      .answer(Dialog::OpenTBL, dump.dir.write("test.tbl", kTable));
  const JobResult r = PlainDumpJob(s, dump.host);
  EXPECT_EQ(r.outcome, Outcome::Failed);
  EXPECT_EQ(dump.host.lastStatus(), "Dump Error");
  ASSERT_EQ(dump.host.errors.size(), 1u);
  EXPECT_EQ(dump.host.errors[0], ErrorBoxText(kErrOverflow, "Dump Error", "") +
                                     "\r\n\r\nA number is too large for its field.");
  EXPECT_FALSE(dump.host.busy);
}

TEST(TextDump, CancelledTableDialogWritesNothing) {
  TextDump dump;
  dump.host.answer(Dialog::OpenNES, dump.dir.write("test.bin", "A"))
      .answer(Dialog::OpenTBL, std::nullopt);
  const JobResult r = PlainDumpJob(TextSettings(1), dump.host);
  EXPECT_EQ(r.outcome, Outcome::Cancelled);
  EXPECT_EQ(dump.host.lastStatus(), "Dump Canceled");
  EXPECT_TRUE(dump.host.errors.empty());
  EXPECT_FALSE(dump.dir.exists("test Text.txt"));
}

TEST(TextDump, RefusesToOverwriteItsTable) {
  TextDump dump;
  const std::string tbl = dump.dir.write("test Text.txt", kTable);
  dump.host.answer(Dialog::OpenNES, dump.dir.write("test.bin", "A")).answer(Dialog::OpenTBL, tbl);
  const JobResult r = PlainDumpJob(TextSettings(1), dump.host);
  EXPECT_EQ(r.outcome, Outcome::Warned);
  EXPECT_EQ(dump.host.lastStatus(), "Dump Minor Error");
  EXPECT_EQ(dump.host.warnings.size(), 1u);
  EXPECT_EQ(Slurp(tbl), kTable);
}

TEST(TextDump, SampleFromTheCommandLine) {
  TempDir dir;
  const std::string rom = dir.write("sample.nes", Slurp(MORVANE_SAMPLES_DIR "/sample.nes"));
  const std::string tbl = dir.write("sample.tbl", Slurp(MORVANE_SAMPLES_DIR "/sample.tbl"));
  const std::string command = std::string("\"") + MORVANE_BINARY + "\" dump --mode text --rom \"" +
                              rom + "\" --tbl \"" + tbl + "\" --start 8054 --end 8093 > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string out = Slurp(dir.file("sample Text.txt"));
  const std::string body = CrLf({kRule,
                                 "0:8054:",
                                 "HELLO WORLD!",
                                 "0",
                                 "",
                                 "1:8061:",
                                 "THIS IS A SAMPLE",
                                 "FOR MORVANE.",
                                 "1",
                                 "1",
                                 "",
                                 "2:807F:",
                                 "PRESS START",
                                 "2",
                                 "",
                                 "3:808B:",
                                 "THE END.",
                                 "3",
                                 "",
                                 kRule});
  ASSERT_NE(out.find(body), std::string::npos) << out;
  EXPECT_NE(
      out.find(CrLf({"sample Text", "Phrases\t0\t3", "Chars\t10\t2\t",
                     "Ptrs\tNONE\t[NONE+1]\t-7FF0\t2", "Blocks\t1\t", "Text\t8054\t8093\t-7FF0"})),
      std::string::npos);
}

}  // namespace
}  // namespace morvane
