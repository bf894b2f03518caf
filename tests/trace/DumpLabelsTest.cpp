// Label files in the traced dump: names and comments from Mesen and FCEUX
// files come back the same after a write and a read, a ca65 debug file gives
// a cc65 program's own names, bad lines are refused with their file and line,
// and a name given twice gets a suffix.
#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/Definitions.h"
#include "trace/TraceDump.h"

namespace morvane::test {
namespace {

const std::string kOps = std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt";

// 16 KiB at C000: calls a routine at C010 that stores to $0000, then loops.
std::string Rom() {
  std::string prg(0x4000, '\xFF');
  const std::string code = {'\x20', '\x10', '\xC0', '\x4C', '\x03', '\xC0'};
  prg.replace(0, code.size(), code);
  const std::string sub = {'\xA9', '\x01', '\x85', '\x00', '\xF0', '\x01', '\xEA', '\x60'};
  prg.replace(0x10, sub.size(), sub);
  const std::string vectors = {'\x03', '\xC0', '\x00', '\xC0', '\x03', '\xC0'};
  prg.replace(0x3FFA, vectors.size(), vectors);
  return std::string("NES\x1A\x01\x01", 6) + std::string(10, '\0') + prg;
}

// A traced dump of C000-FFFF of rom, written as game.nes in dir.
Outcome Dump(const TempDir& dir, const std::string& rom,
             const std::vector<std::pair<std::string, std::string>>& options, ScriptedHost& host) {
  Settings s;
  s.mode = kCode;
  s.base = s.start = 0xC000;
  s.end = 0xFFFF;
  s.trace = true;
  for (const auto& [name, value] : options) s.options.add(name, value);
  host.answer(Dialog::OpenNES, dir.write("game.nes", rom)).answer(Dialog::OpenTXT, kOps);
  return DumpJob(s, host).outcome;
}

std::string Joined(const TempDir& dir, const std::vector<std::string>& names) {
  std::string all;
  for (const std::string& n : names) all += n + ":\n" + Slurp(dir.file(n));
  return all;
}

TEST(DumpLabels, MesenAndFceuxFilesRoundTripThroughTheListing) {
  const struct {
    const char* format;
    const char* given;  // a file the debugger wrote
    std::vector<std::string> written;
  } cases[] = {
      {"mlb",
       "P:0003:Forever\nP:0010:Print:loads one\\nthen stores\nP:0030:Spare:never run\n"
       "R:0000:counter:a byte\n",
       {"game.mlb"}},
      {"nl",
       "$C003#Forever#\n$C010#Print#loads one\n\\then stores\n$C030#Spare#never run\n",
       {"game.nes.0.nl", "game.nes.ram.nl"}},
  };
  for (const auto& c : cases) {
    const TempDir dir;
    const std::string given = std::string(c.format) == "mlb" ? "in.mlb" : "in.nes.0.nl";
    std::vector<std::pair<std::string, std::string>> options = {
        {"labels", dir.write(given, c.given)}, {"write-labels", c.format}};
    if (std::string(c.format) == "nl") {
      options.emplace_back("labels", dir.write("in.nes.ram.nl", "$0000#counter#a byte\n"));
    }
    ScriptedHost host;
    ASSERT_EQ(Dump(dir, Rom(), options, host), Outcome::Done) << c.format;
    const std::string listing = Slurp(dir.file("game.asm.txt"));
    for (const char* shown :
         {"lbl_c000:\tjsr $c010\t\t;Call Print\r\n", "Forever:\tjmp $c003\t\t;Jump to Forever\r\n",
          "Print:\tlda #$1\t\t;A = #$1 ; loads one\r\n\t\t\t\t;then stores\r\n",
          "\t\tsta $0\t\t;counter = A\r\n", "; Table NMI[0]\r\n; Table IRQ[0]\r\n",
          "\r\nSpare:\t.byte $FF\t; never run\r\n"}) {
      EXPECT_NE(listing.find(shown), std::string::npos) << c.format << ": " << shown;
    }
    const std::string written = Joined(dir, c.written);
    if (std::string(c.format) == "mlb") {
      EXPECT_EQ(written,
                "game.mlb:\nR:0000:counter:a byte\r\nP:0000:lbl_c000\r\nP:0003:Forever\r\n"
                "P:0010:Print:loads one\\nthen stores\r\nP:0017:lbl_c017\r\n"
                "P:0030:Spare:never run\r\n");
    }
    // What was written, read back, gives the same listing and the same files.
    const TempDir again;
    options = {{"write-labels", c.format}};
    for (const std::string& f : c.written) {
      options.emplace_back("labels", again.write("in" + f.substr(4), Slurp(dir.file(f))));
    }
    ScriptedHost second;
    ASSERT_EQ(Dump(again, Rom(), options, second), Outcome::Done) << c.format;
    EXPECT_EQ(Slurp(again.file("game.asm.txt")), listing) << c.format;
    EXPECT_EQ(Slurp(again.file("Tables.txt")), Slurp(dir.file("Tables.txt"))) << c.format;
    EXPECT_EQ(Joined(again, c.written), written) << c.format;
  }
}

TEST(DumpLabels, ADebugFileGivesACc65ProgramsOwnNames) {
  const std::string corpus = MORVANE_CORPUS_DIR;
  const std::string rom = Slurp(corpus + "/game.nes");
  if (rom.empty()) GTEST_SKIP() << "no cc65 tools to build the corpus";
  const TempDir dir;
  Settings s;
  s.mode = kCode;
  s.trace = true;
  s.options.add("labels", dir.write("game.dbg", Slurp(corpus + "/game.dbg")));
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write("game.nes", rom)).answer(Dialog::OpenTXT, kOps);
  ASSERT_EQ(DumpJob(s, host).outcome, Outcome::Done);
  const std::string listing = Slurp(dir.file("game.asm.txt"));
  for (const char* shown : {"\r\n_main:\t", "\r\n_walk:\tjsr", "\r\n_points:\t",
                            ";Branch to L0071 if Equal", "\r\nL0071:\tlda #$1"}) {
    EXPECT_NE(listing.find(shown), std::string::npos) << shown;
  }
}

TEST(DumpLabels, RefusesBadLinesAndSuffixesANameGivenTwice) {
  const struct {
    const char* file;
    const char* text;
    const char* said;  // in the warning, or in a note when the dump is done
    const char* write = "";
  } cases[] = {
      {"in.mlb", "P:0003:Forever\nP:zz:Print\n", "Line 2: the address is not hex."},
      {"in.mlb", "P:0003:Forever\nQ:0010:Print\n", "Line 2: the kind of memory"},
      {"in.nes.0.nl", "$C003#Forever#\n$C010 Print\n", "Line 2: not a name"},
      {"in.nl", "$C003#Forever#\n", "Line 1: a ROM address in a file whose name gives no bank"},
      {"in.mlb", "P:0003:Loop\nP:0010:Loop\n",
       "The name Loop is given to file offset 20 too; it is called Loop_2 there."},
      // The file read is never the one written over.
      {"game.mlb", "P:0003:Loop\n", "would replace the input file", "mlb"},
  };
  for (const auto& c : cases) {
    const TempDir dir;
    const std::string path = dir.write(c.file, c.text);
    ScriptedHost host;
    std::vector<std::pair<std::string, std::string>> options = {{"labels", path}};
    if (*c.write) options.emplace_back("write-labels", c.write);
    const bool refused = Dump(dir, Rom(), options, host) != Outcome::Done;
    std::string said;
    for (const auto& [title, text] : host.warnings) said += title + "|" + text + "\n";
    for (const std::string& status : host.statuses) said += status + "\n";
    EXPECT_NE(said.find(c.said), std::string::npos) << c.text << "\n" << said;
    if (refused) {
      EXPECT_NE(said.find(path), std::string::npos) << said;
      EXPECT_FALSE(dir.exists("game.asm.txt"));
      EXPECT_EQ(Slurp(path), c.text);
    } else {
      EXPECT_NE(Slurp(dir.file("game.asm.txt")).find("\r\nLoop_2:\tlda"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace morvane::test
