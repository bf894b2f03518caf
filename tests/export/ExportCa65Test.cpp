// The ca65 export: real programs and variants of their files rebuild byte
// for byte, and the lines that need care come out as ca65 reads them.
#include <gtest/gtest.h>

#include "ExportSupport.h"

namespace morvane::test {
namespace {

using namespace std::string_literals;

// Where two files first differ, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return "sizes " + std::to_string(a.size()) + "/" + std::to_string(b.size()) +
         ", first difference at " + std::to_string(i);
}

std::string WithHeaderByte(std::string rom, std::size_t at, char value) {
  rom[at] = value;
  return rom;
}

TEST(ExportCa65, RebuildsEveryLayoutByteForByte) {
  if (!HaveCc65()) GTEST_SKIP() << "ca65 and ld65 are not installed";
  const std::string nrom = CorpusRom("idioms");
  const std::string mmc1 = CorpusRom("mmc1");
  const std::string chrRam = CorpusRom("chrram");
  ASSERT_FALSE(nrom.empty() || mmc1.empty() || chrRam.empty());
  std::string chr(3 * 0x2000, '\0');
  for (std::size_t i = 0; i < chr.size(); ++i) chr[i] = static_cast<char>(i * 7 + i / 256);
  const std::string trainer(512, '\x5A');
  const struct {
    const char* name;
    std::string rom;
  } cases[] = {
      {"nrom", nrom},
      {"nrom16", CorpusRom("inline")},
      {"chrram", chrRam},
      {"mmc1", mmc1},
      {"uxrom", CorpusRom("uxrom")},
      {"mmc3", CorpusRom("mmc3")},
      {"mmc3_8k", CorpusRom("mmc3_8k")},
      {"axrom", CorpusRom("axrom")},
      {"cc65_game", CorpusRom("game")},
      // CNROM: mapper 3 with four CHR banks.
      {"cnrom", WithHeaderByte(WithHeaderByte(nrom, 5, 4), 6, '\x30') + chr},
      {"trainer", WithHeaderByte(nrom, 6, 4).insert(16, trainer)},
      {"nes2", WithHeaderByte(mmc1, 7, static_cast<char>((mmc1[7] & 0xF3) | 0x08))},
      // A file cut inside its third bank, and one with bytes after its CHR.
      {"cut", mmc1.substr(0, 16 + 2 * 0x4000 + 1234)},
      {"tail", chrRam + std::string(37, '\x11')},
      {"no_prg", std::string("NES\x1A\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16) +
                     chr.substr(0, 0x2000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    std::string error;
    ASSERT_FALSE(Export(dir, c.name, c.rom, &error).empty()) << error;
    const std::string rebuilt = Rebuild(dir, c.name);
    EXPECT_TRUE(rebuilt == c.rom) << FirstDifference(rebuilt, c.rom);
  }
}

TEST(ExportCa65, WritesTrickyInstructionsAsCa65ReadsThem) {
  if (!HaveCc65()) GTEST_SKIP() << "ca65 and ld65 are not installed";
  const struct {
    std::string code;  // at C000, where RESET leads
    std::vector<std::string> lines;
  } cases[] = {
      // A zero-page address in absolute form keeps its three bytes.
      {"\xAD\x02\x00\xBD\x10\x00\x8D\x00\x20\x60"s,
       {"\tlda a:$0002\r\n", "\tlda a:$0010,x\r\n", "\tsta PPUCTRL\r\n"}},
      // An address put together from immediates; a branch to a label.
      {"\xA9\x10\x85\x00\xA9\xC0\x85\x01\x6C\x00\x00\xFF\xFF\xFF\xFF\xFF"
       "\xA2\x03\xCA\xD0\xFD\x60"s,
       {"\tlda #<lbl_C010\r\n", "\tlda #>lbl_C010\r\n", "\tjmp ($0000)\r\n",
        "lbl_C012:\r\n\tdex\r\n\tbne lbl_C012\r\n"}},
      // An unofficial opcode stays bytes, the instruction beside them.
      {"\xA9\x01\x07\x12\x60", {"\t.byte $07\t; unofficial opcode $07: Unofficial SLO zp\r\n"}},
      // The vectors name their targets.
      {"\x60", {"RESET:\r\n\trts\r\n", "\t.addr NMI\r\n\t.addr RESET\r\n\t.addr NMI\r\n"}},
  };
  for (const auto& c : cases) {
    const TempDir dir;
    const std::string rom = NromWith(c.code);
    const std::string source = Export(dir, "tricky", rom);
    for (const std::string& line : c.lines)
      EXPECT_NE(source.find(line), std::string::npos) << line << source;
    EXPECT_TRUE(Rebuild(dir, "tricky") == rom) << source;
  }
}

TEST(ExportCa65, NamesBanksAndKeepsInstructionsInsideThem) {
  if (!HaveCc65()) GTEST_SKIP() << "ca65 and ld65 are not installed";
  // UxROM, four banks: the fixed one calls bank 0 at 8000 and jumps to code
  // whose last instruction runs over bank 0's end.
  std::string prg(4 * 0x4000, '\xFF');
  prg.replace(0, 4, "\x4C\x10\x80\xFF");
  prg[0x10] = '\x60';
  prg.replace(0x3FF3, 13, "\xA2\x05\xCA\xD0\xFD\xA0\x03\x88\xD0\xFD\x18\xAD\x00"s);
  const std::string fixed("\xEA\xA9\x00\x8D\x00\x80\x20\x00\x80\x4C\xF3\xBF", 12);
  prg.replace(3 * 0x4000, fixed.size(), fixed);
  prg.replace(4 * 0x4000 - 6, 6, std::string("\x00\xC0\x00\xC0\x00\xC0", 6));
  const std::string rom =
      std::string("NES\x1A\x04\x00\x20\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16) + prg;
  const TempDir dir;
  const std::string source = Export(dir, "banks", rom);
  // A switched bank's labels carry its number; the fixed bank names no
  // address of the window that switches.
  for (const char* line :
       {"\tjmp b00_lbl_8010\r\n", "b00_lbl_8010:\r\n\trts\r\n", "\tjsr $8000\r\n",
        "\tjmp $BFF3\r\n",
        // After the fixed bank selects bank 0, the jump into it is as sure as
        // the path: its code up to the instruction the bank's end cuts.
        "\tclc\r\n\t.byte $AD,$00\t; lda, cut by the end of the bank\r\n\r\n.segment \"BANK01\""}) {
    EXPECT_NE(source.find(line), std::string::npos) << line;
  }
  EXPECT_TRUE(Rebuild(dir, "banks") == rom);
}

// A log written from the export steers the next one to the same source and
// the same log, in both layouts.
TEST(ExportCa65, ReadsBackTheCodeDataLogItWrites) {
  const std::string rom = CorpusRom("mmc1");
  if (rom.empty()) GTEST_SKIP() << "no cc65 tools to build the corpus";
  for (const char* format : {"fceux", "mesen"}) {
    const TempDir dir;
    const std::string first = Export(dir, "game", rom, nullptr, {{"write-cdl", format}});
    const std::string log = Slurp(dir.file("game.cdl"));
    ASSERT_FALSE(log.empty());
    const std::string again = Export(dir, "game", rom, nullptr,
                                     {{"cdl", dir.write("in.cdl", log)}, {"write-cdl", format}});
    EXPECT_TRUE(again == first) << format;
    EXPECT_TRUE(Slurp(dir.file("game.cdl")) == log) << format;
  }
}

// A Table List's table is data, named by its title, even where the bytes
// would pass for code that something reaches.
TEST(ExportCa65, TakesTheTableListsTablesAsData) {
  if (!HaveCc65()) GTEST_SKIP() << "ca65 and ld65 are not installed";
  const TempDir dir;
  const std::string rom = NromWith("\x20\x10\xC0\x60"s + std::string(12, '\xFF') + "\xA9\x01\x60"s);
  const std::string list =
      dir.write("Tables.txt", "Start\tEnd\tWidth\r\nC010\tC012\t3\t\t\t\t\t\t\tmy table\r\n");
  const std::string plain = Export(dir, "list", rom);
  EXPECT_NE(plain.find("lbl_C010:\r\n\tlda #$01\r\n"), std::string::npos);
  const std::string source = Export(dir, "list", rom, nullptr, {{"tables", list}});
  EXPECT_NE(source.find("\tjsr my_table\r\n"), std::string::npos) << source.substr(0, 2000);
  EXPECT_NE(source.find("my_table:\r\n\t.byte $A9,$01,$60"), std::string::npos);
  EXPECT_TRUE(Rebuild(dir, "list") == rom);
}

// What a log says is data stays data though code calls it; what it says is
// code is code though nothing the trace follows reaches it.
TEST(ExportCa65, FollowsACodeDataLog) {
  const TempDir dir;
  const std::string rom =
      NromWith("\x20\x10\xC0\x60"s + std::string(12, '\xFF') + "\xA9\x01\x60\xFF\xA2\x02\x02"s);
  std::string log(0x4000, '\0');
  log.replace(0x10, 3, "\x02\x02\x02");
  log.replace(0x14, 2, "\x01\x01");
  const std::string source =
      Export(dir, "logged", rom, nullptr, {{"cdl", dir.write("in.cdl", log)}});
  EXPECT_NE(source.find("lbl_C010:\r\n\t.byte $A9,$01,$60"), std::string::npos);
  EXPECT_NE(source.find("\tldx #$02\r\n\t.byte $02\t; unofficial opcode $02"), std::string::npos)
      << source.substr(0, 3000);
}

TEST(ExportCa65, RefusesAFileWithoutHeader) {
  const TempDir dir;
  std::string error;
  EXPECT_EQ(Export(dir, "plain", std::string(0x4000, '\xEA'), &error), "");
  EXPECT_NE(error.find("Not an iNES ROM"), std::string::npos) << error;
  EXPECT_FALSE(dir.exists("plain.cfg"));
}

}  // namespace
}  // namespace morvane::test
