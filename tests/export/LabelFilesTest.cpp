// Label files: Mesen's and FCEUX's round trip through the export, a ca65
// debug file gives the program's own names, bad lines are refused with
// their file and line, and a name given twice gets a suffix.
#include <gtest/gtest.h>

#include "ExportSupport.h"
#include "labels/LabelSet.h"
#include "shell/JobError.h"

namespace morvane::test {
namespace {

// The files the export wrote whose names start with prefix, joined.
std::string Written(const TempDir& dir, const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& n : names) all += n + ":\n" + Slurp(dir.file(n));
  return all;
}

TEST(LabelFiles, MesenAndFceuxFilesRoundTrip) {
  const std::string rom = CorpusRom("uxrom");
  if (rom.empty()) GTEST_SKIP() << "no cc65 tools to build the corpus";
  const struct {
    const char* format;
    std::vector<std::string> files;
  } cases[] = {
      {"mlb", {"game.mlb"}},
      {"nl",
       {"game.nes.ram.nl", "game.nes.0.nl", "game.nes.1.nl", "game.nes.2.nl", "game.nes.3.nl"}}};
  for (const auto& c : cases) {
    const TempDir dir;
    // Names of our own, with comments, go out and come back.
    const std::string mine =
        dir.write("mine.mlb", "P:C000:Start:first line\\nsecond line\nR:0010:counter:a comment\n");
    const std::string first =
        Export(dir, "game", rom, nullptr, {{"labels", mine}, {"write-labels", c.format}});
    EXPECT_NE(first.find("Start:\r\n"), std::string::npos) << c.format;
    EXPECT_NE(first.find("\t; first line second line\r\n"), std::string::npos) << c.format;
    EXPECT_NE(first.find("counter = $10\t; a comment\r\n"), std::string::npos) << c.format;
    const std::string out = Written(dir, c.files);
    TempDir again;
    Options options = {{"write-labels", c.format}};
    for (const std::string& f : c.files)
      options.emplace_back("labels", again.write("in" + f, Slurp(dir.file(f))));
    EXPECT_EQ(Export(again, "game", rom, nullptr, options), first) << c.format;
    EXPECT_EQ(Written(again, c.files), out) << c.format;
  }
}

// The label file read is never the one written over.
TEST(LabelFiles, NeverWritesOverTheFileItReads) {
  const TempDir dir;
  const std::string mine = dir.write("game.mlb", "R:0010:counter\n");
  std::string error;
  Export(dir, "game", NromWith("\x60"), &error, {{"labels", mine}, {"write-labels", "mlb"}});
  EXPECT_NE(error.find("Export Error"), std::string::npos) << error;
  EXPECT_EQ(Slurp(mine), "R:0010:counter\n");
  EXPECT_FALSE(dir.exists("game.s"));
}

TEST(LabelFiles, ADebugFileGivesTheProgramsOwnNames) {
  const std::string rom = CorpusRom("axrom");
  if (rom.empty() || !HaveCc65()) GTEST_SKIP() << "no cc65 tools to build the corpus";
  const TempDir dir;
  const std::string dbg =
      dir.write("axrom.dbg", Slurp(std::string(MORVANE_CORPUS_DIR) + "/axrom.dbg"));
  const std::string source = Export(dir, "axrom", rom, nullptr, {{"labels", dbg}});
  for (const char* line :
       {"\tjmp main\r\n", "\tjsr run_state\r\n", "\tjmp (vec)\r\n", "ptr = $00\r\n",
        // Both banks hold the stub: its names clash.
        "reset_2:\r\n",
        "; Note: The name reset is given to file offset FF10 too; it is "
        "called reset_2 there.\r\n"}) {
    EXPECT_NE(source.find(line), std::string::npos) << line;
  }
  EXPECT_TRUE(Rebuild(dir, "axrom") == rom);
}

TEST(LabelFiles, RefusesLinesThatDoNotParse) {
  const INesHeader header;
  const struct {
    const char* name;
    const char* text;
    const char* says;
  } cases[] = {
      {"a.mlb", "P:8000:ok\nP8000:bad\n", "Line 2: not a label"},
      {"b.mlb", "X:0000:what\n", "Line 1: the kind of memory is not P, R, S, W or G."},
      {"c.mlb", "P:80G0:name\n", "Line 1: the address is not hex."},
      {"game.nes.0.nl", "$8000#ok#\n\\more\n8000#bad#\n", "Line 3: not a name"},
      {"game.nes.1.nl", "$80Z0#name#\n", "Line 1: the address is not hex."},
      {"game.nl", "$0010#ram#\n$8000#rom#\n",
       "Line 2: a ROM address in a file whose name gives no bank"},
      {"d.dbg", "version\tmajor=2,minor=0\nsym\tid=0,addrsize=zeropage\n",
       "Line 2: a symbol without name or value."},
      {"e.dbg", "seg id=0\n", "Line 1: not a line of a ca65 debug file."},
      {"f.txt", "", "Labels are read from Mesen (.mlb), FCEUX (.nl) or ca65 debug (.dbg) files."},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.write(c.name, c.text);
    LabelSet set;
    try {
      ReadLabelFile(path, header, set);
      ADD_FAILURE() << c.name;
    } catch (const JobError& e) {
      EXPECT_EQ(e.kind(), JobError::Kind::Minor) << c.name;
      EXPECT_EQ(e.message().rfind(c.says, 0), 0u) << c.name << ": " << e.message();
      EXPECT_EQ(e.file(), path);
    }
  }
}

TEST(LabelFiles, ReadsEachKindOfMemoryWhereItLies) {
  TempDir dir;
  INesHeader header;
  header.prgOffset = 16;
  LabelSet set;
  ReadLabelFile(dir.write("a.mlb", "P:4010-4013:table\nS:0100:saved\nW:0002:work:x\nG:2000:ppu\n"),
                header, set);
  ReadLabelFile(dir.write("g.nes.2.nl", "$C123#there#one\n\\two\n$0300##only a comment\n"), header,
                set);
  EXPECT_EQ(set.rom[16 + 0x4010].name, "table");
  EXPECT_EQ(set.ram[0x6100].name, "saved");
  EXPECT_EQ(set.ram[0x6002].comment, "x");
  EXPECT_EQ(set.ram[0x2000].name, "ppu");
  EXPECT_EQ(set.rom[16 + 2 * 0x4000 + 0x0123].name, "there");
  EXPECT_EQ(set.rom[16 + 2 * 0x4000 + 0x0123].comment, "one\ntwo");
  EXPECT_EQ(set.ram[0x0300].name, "");
  EXPECT_EQ(SymbolFrom("9lives@home"), "_9lives_home");
}

}  // namespace
}  // namespace morvane::test
