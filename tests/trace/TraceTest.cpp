// The tracer on small ROMs built here: the Table List it writes for a known
// program, and what it says about input it cannot follow.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <sstream>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/Definitions.h"
#include "dump/DumpDriver.h"
#include "dump/TableList.h"
#include "dump/UnofficialOpcodes.h"
#include "shell/QuietHost.h"
#include "shell/Values.h"
#include "trace/TraceCode.h"
#include "trace/TraceDump.h"

namespace morvane::test {
namespace {

const std::array<OpcodeShape, 256>& Shapes() {
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
    return ShapesOf(ops);
  }();
  return shapes;
}

// A mapper-0 ROM of 16 KiB (seen at 8000 and C000), filled with FF.
struct Image {
  std::string prg = std::string(0x4000, '\xFF');
  int banks = 1;
  void put(int a, std::initializer_list<int> bytes) {
    for (int b : bytes) prg[static_cast<std::size_t>(a++ & 0x3FFF)] = static_cast<char>(b);
  }
  void vectors(int nmi, int reset, int irq) {
    put(0xFFFA, {nmi & 0xFF, nmi >> 8, reset & 0xFF, reset >> 8, irq & 0xFF, irq >> 8});
  }
  std::string file() const {
    return std::string("NES\x1A", 4) + char(banks) + '\1' + std::string(10, '\0') + prg;
  }
};

TraceResult Trace(const std::string& rom, std::vector<std::int32_t> entries = {}) {
  return TraceCode({rom, 0xC000 - 16, 0xC000, 0xC000, 0xFFFF, std::move(entries)}, Shapes());
}

// Prints the string after the call, then loops.
Image Printer() {
  Image im;
  im.put(0xC000, {0x20, 0x10, 0xC0, 'H', 'I', 0x00, 0x4C, 0x06, 0xC0});
  im.put(0xC010,
         {0x68, 0x85, 0x00, 0x68, 0x85, 0x01, 0xA0, 0x01, 0xB1, 0x00, 0xF0, 0x03, 0xC8, 0xD0,
          0xF9, 0x98, 0x18, 0x65, 0x00, 0xAA, 0xA5, 0x01, 0x69, 0x00, 0x48, 0x8A, 0x48, 0x60});
  im.vectors(0xC006, 0xC000, 0xC006);
  return im;
}

TEST(Trace, ListsInlineStringFillAndVectorsAroundTheCode) {
  EXPECT_EQ(Trace(Printer().file()).tablesText,
            "Start\tEnd\tWidth\tHeight\tSkip1st\tSkip\tAddrOS\tIndexOS\tOptions\tTitle\r\n"
            "; Mapper 0, 16 KiB of PRG ROM. Traced from RESET C000 NMI C006 IRQ C006.\r\n"
            "c003\tc005\r\n"
            "c009\tc00f\r\n"
            "c02c\tfff9\r\n"
            "fffa\tfffb\t2\t\t\t\t\t\trlbl\tNMI\r\n"
            "fffc\tfffd\t2\t\t\t\t\t\trlbl\tRESET\r\n"
            "fffe\tffff\t2\t\t\t\t\t\trlbl\tIRQ\r\n");
}

TEST(Trace, SaysWhatItCannotFollowAndStillWritesAListTheReaderTakes) {
  struct Case {
    const char* what;
    std::string rom;
    std::vector<std::int32_t> entries;
    const char* note;
  };
  Image outside = Printer(), itself = Printer(), undefined = Printer(), shorter = Printer(),
        io = Printer();
  io.vectors(0xC006, 0xC000, 0x4017);
  // 32 KiB of chains of loads that run into the vectors: each try goes far.
  std::string chains = std::string("NES\x1A\x02\x01", 6) + std::string(10, '\0');
  for (int k = 0; k < 0x4000; ++k) chains += {'\xA9', static_cast<char>((k * 7 + 1) & 0x7F)};
  chains.replace(16, 2, "\x60\x60");
  chains.replace(chains.size() - 6, 6, std::string("\0\x80\0\x80\0\x80", 6));
  outside.vectors(0xC006, 0x1234, 0xC006);
  itself.vectors(0xFFFA, 0xC000, 0xC006);
  undefined.put(0xC030, {0x02});
  undefined.vectors(0xC006, 0xC000, 0xC030);
  shorter.banks = 2;
  const Case cases[] = {
      {"reset in RAM", outside.file(), {}, "The RESET vector's target 1234 lies in RAM; a jump"},
      {"irq in I/O", io.file(), {}, "The IRQ vector's target 4017 lies outside the ROM."},
      {"nmi at itself", itself.file(), {}, "The NMI vector's target FFFA lies in the vectors."},
      {"irq undefined", undefined.file(), {}, "The IRQ vector's target C030 does not hold code."},
      {"entry outside", Printer().file(), {0x0300}, "Entry point 0300 lies outside the ROM."},
      {"entry far out", Printer().file(), {0x12345}, "Entry point 12345 lies outside the ROM."},
      {"short file",
       shorter.file(),
       {},
       "holds 16384 bytes of PRG ROM where its header says 32768."},
      {"header only", Image().file().substr(0, 16), {}, "holds 0 bytes of PRG ROM"},
      {"empty file", "", {}, "The vectors FFFA-FFFF are not in the ROM as mapped."},
      {"no code", Image().file(), {}, "Nothing the trace follows enters C000-FFFF"},
      {"endless guesses", chains, {}, "Stopped trying the places nothing reaches"},
  };
  for (const Case& c : cases) {
    const TraceResult r = Trace(c.rom, c.entries);
    EXPECT_NE(r.tablesText.find(c.note), std::string::npos) << c.what << "\n" << r.tablesText;
    TableMap map;
    NameTable names;
    TempDir dir;
    EXPECT_TRUE(ReadTableList(dir.write("Tables.txt", r.tablesText), 0xFFFF, map, names).ok)
        << c.what;
  }
}

// Whether the list shows a as data: a row from its first to its last address.
bool ShownAsData(const std::string& tablesText, std::int32_t a) {
  std::stringstream rows(tablesText);
  for (std::string line; std::getline(rows, line);) {
    char* end = nullptr;
    const long first = std::strtol(line.c_str(), &end, 16);
    if (end == line.c_str() || *end != '\t') continue;
    const long last = std::strtol(end + 1, nullptr, 16);
    if (a >= first && a <= last) return true;
  }
  return false;
}

TEST(Trace, FollowsFlowThatNoOperandNames) {
  struct Case {
    const char* what;
    Image im;
    std::vector<std::int32_t> code, data;
  };
  // BRK and a service number, the handler reading it through the stack.
  Image brk;
  brk.put(0xC000, {0x00, 0x05, 0xA9, 0x01, 0x8D, 0x00, 0x02, 0x4C, 0x02, 0xC0});
  brk.put(0xC020, {0xBA, 0xBD, 0x02, 0x01, 0x40});
  brk.vectors(0xC020, 0xC000, 0xC020);
  // The same BRK, its handler reading nothing: the path ends at it.
  Image plainBrk = brk;
  plainBrk.put(0xC020, {0x40});
  // The state times three added to the address of a table of JMPs.
  Image jumps;
  jumps.put(0xC000, {0xA5, 0x10, 0x0A, 0x65, 0x10, 0x18, 0x69, 0x20, 0x85, 0x00, 0xA9, 0x00, 0x69,
                     0xC0, 0x85, 0x01, 0x6C, 0x00, 0x00});
  jumps.put(0xC020, {0x4C, 0x30, 0xC0, 0x4C, 0x34, 0xC0});
  jumps.put(0xC030, {0xEE, 0x00, 0x02, 0x60, 0xCE, 0x00, 0x02, 0x60});
  jumps.vectors(0xC000, 0xC000, 0xC000);
  // A routine copied to zero page and called there.
  Image zeroPage;
  zeroPage.put(0xC000, {0xA2, 0x03, 0xBD, 0x20, 0xC0, 0x95, 0x80, 0xCA, 0x10, 0xF8, 0x20, 0x80,
                        0x00, 0x4C, 0x0D, 0xC0});
  zeroPage.put(0xC020, {0xE8, 0xC8, 0xE8, 0x60});
  zeroPage.vectors(0xC000, 0xC000, 0xC000);
  // The index added after the address's low byte was loaded.
  Image addedLast = jumps;
  addedLast.put(0xC000, {0xA9, 0x20, 0x18, 0x65, 0x10, 0x85, 0x00, 0xA9, 0xC0, 0x69, 0x00, 0x85,
                         0x01, 0x6C, 0x00, 0x00, 0xEA, 0xEA, 0xEA});
  // A BRK handler that pulls what the BRK pushed.
  Image brkPulls = brk;
  brkPulls.put(0xC020, {0x68, 0x68, 0x68, 0x40});
  // Glyphs read by ASCII code from the address of the routine before them.
  Image glyphs;
  glyphs.put(0xC000, {0xA6, 0x10, 0xBD, 0x00, 0xC0, 0x8D, 0x07, 0x20, 0x4C, 0x00, 0xC0, 0x85,
                      0x60, 0xA2, 0x8D, 0xAD, 0xE8, 0xC8, 0x88, 0xCA, 0x4C, 0x00, 0xC0});
  glyphs.vectors(0xC000, 0xC000, 0xC000);
  // A helper that returns past the JMP after its call when A is zero.
  Image skip;
  skip.put(0xC000, {0xA9, 0x00, 0x20, 0x20, 0xC0, 0x4C, 0x00, 0xC0, 0xE8, 0x4C, 0x00, 0xC0});
  skip.put(0xC020, {0xC9, 0x00, 0xD0, 0x0D, 0x68, 0x18, 0x69, 0x03, 0x85, 0x00, 0x68, 0x69, 0x00,
                    0x48, 0xA5, 0x00, 0x48, 0x60});
  skip.vectors(0xC000, 0xC000, 0xC000);
  // Code copied through pointers to the cartridge's RAM, entered by a JMP.
  Image overlay;
  overlay.put(0xC000, {0xA9, 0x20, 0x85, 0x00, 0xA9, 0xC0, 0x85, 0x01, 0xA9, 0x00, 0x85,
                       0x02, 0xA9, 0x60, 0x85, 0x03, 0xA0, 0x00, 0xB1, 0x00, 0x91, 0x02,
                       0xC8, 0xD0, 0xF9, 0x20, 0x00, 0x60, 0x4C, 0x1C, 0xC0});
  overlay.put(0xC020, {0x4C, 0x03, 0x60, 0xE8, 0x60});
  overlay.vectors(0xC000, 0xC000, 0xC000);
  // A return through a split table of the handlers' own addresses.
  Image exact = jumps;
  exact.put(0xC000, {0xBD, 0x20, 0xC0, 0x38, 0xE9, 0x01, 0xA8, 0xBD, 0x22, 0xC0, 0xE9, 0x00, 0x48,
                     0x98, 0x48, 0x60, 0xFF, 0xFF, 0xFF});
  exact.put(0xC020, {0x30, 0x34, 0xC0, 0xC0, 0xFF, 0xFF});
  // A split table in RAM filled from immediates, then jumped through.
  Image ramTable = jumps;
  ramTable.put(0xC000, {0xA9, 0x30, 0x8D, 0x00, 0x03, 0xA9, 0xC0, 0x8D, 0x10, 0x03, 0xA6,
                        0x10, 0xBD, 0x00, 0x03, 0x85, 0x00, 0xBD, 0x10, 0x03, 0x85, 0x01,
                        0x6C, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  ramTable.put(0xC020, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
  const Case cases[] = {
      {"ram table", ramTable, {0xC030}, {}},
      {"rts, exact addresses", exact, {0xC030, 0xC034}, {0xC020, 0xC023}},
      {"overlay at 6000", overlay, {0xC020, 0xC023, 0xC024}, {}},
      {"jmp table, index added last", addedLast, {0xC020, 0xC023, 0xC034}, {0xC026}},
      {"brk, handler pulls", brkPulls, {0xC000, 0xC002, 0xC007}, {0xC001}},
      {"glyphs before code", glyphs, {0xC008}, {0xC00B, 0xC014}},
      {"skip helper", skip, {0xC005, 0xC008}, {}},
      {"brk call", brk, {0xC000, 0xC002, 0xC007, 0xC021}, {0xC001, 0xC00A}},
      {"brk ends", plainBrk, {}, {0xC000}},
      {"jmp table", jumps, {0xC010, 0xC020, 0xC023, 0xC030, 0xC034}, {0xC026}},
      {"zero page", zeroPage, {0xC00A, 0xC020, 0xC023}, {0xC024}},
  };
  for (const Case& c : cases) {
    const std::string list = Trace(c.im.file()).tablesText;
    for (const std::int32_t a : c.code) EXPECT_FALSE(ShownAsData(list, a)) << c.what << " " << a;
    for (const std::int32_t a : c.data) EXPECT_TRUE(ShownAsData(list, a)) << c.what << " " << a;
  }
}

// Unofficial opcodes are followed where sure code runs into them, never
// taken as a place where code may start; the traced dump lists them unless
// told to keep to the chosen Op_Codes file.
TEST(Trace, FollowsUnofficialOpcodesOnlyFromSureCode) {
  OpcodeSet all;
  ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", all);
  all.opcodes[0xEB].Mnemonic = "mine";  // not defined there: the bundled file's wins
  AddUnofficialOpcodes(all);
  int defined = 0;
  for (const OpcodeDef& op : all.opcodes) defined += (ModeOf(all, op).Flags & kFlagBad) == 0;
  EXPECT_EQ(defined, 151 + 85);
  EXPECT_EQ(all.opcodes[0xEB].Mnemonic, "sbc");
  EXPECT_EQ(ModeOf(all, all.opcodes[0xDB]).Format, "$wwuu,y");  // dcp abs,y: a mode added
  // lax $10 / sbc #1 (EB) / jsr C020 / jmp C000; C020 inx / rts; after them
  // a run of unofficial opcodes and official code that runs into one.
  Image im;
  im.put(0xC000, {0xA7, 0x10, 0xEB, 0x01, 0x20, 0x20, 0xC0, 0x4C, 0x00, 0xC0});
  im.put(0xC020, {0xE8, 0x60});
  im.put(0xC030, {0xA7, 0x10, 0xC7, 0x11, 0x60});
  im.put(0xC040, {0xE8, 0xA7, 0x10, 0x60});
  im.vectors(0xC000, 0xC000, 0xC000);
  const std::string list =
      TraceCode({im.file(), 0xC000 - 16, 0xC000, 0xC000, 0xFFFF, {}}, ShapesOf(all)).tablesText;
  for (const std::int32_t a : {0xC000, 0xC002, 0xC004, 0xC007, 0xC020}) {
    EXPECT_FALSE(ShownAsData(list, a)) << a;
  }
  for (const std::int32_t a : {0xC030, 0xC040}) EXPECT_TRUE(ShownAsData(list, a)) << a;
  EXPECT_TRUE(ShownAsData(Trace(im.file()).tablesText, 0xC004));  // official ones only

  for (const bool officialOnly : {false, true}) {
    Settings s;
    s.mode = kCode;
    s.base = s.start = 0xC000;
    s.end = 0xFFFF;
    if (officialOnly) s.options.add(kOfficialOnly, "");
    TempDir dir;
    ScriptedHost host;
    host.answer(Dialog::OpenNES, dir.write("game.nes", im.file()));
    host.answer(Dialog::OpenTXT, std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt");
    ASSERT_EQ(DumpTraced(s, host, {}).outcome, Outcome::Done);
    const std::string listing = Slurp(dir.file("game.asm.txt"));
    EXPECT_EQ(listing.find("lbl_c000:\tlax $10") != std::string::npos, !officialOnly);
    EXPECT_EQ(listing.find("\t\tsbc #$1") != std::string::npos, !officialOnly);
  }
}

// The traced dump writes the list the trace found and, in the same run, the
// listing a dump with that list writes.
TEST(Trace, DumpWritesItsListAndTheListingThatListMakes) {
  const std::string rom = Printer().file();
  const std::string ops = std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt";
  Settings s;
  s.mode = kCode;
  s.base = s.start = 0xC000;
  s.end = 0xFFFF;
  s.withTables = false;
  TempDir traced, fed;
  ScriptedHost one, two;
  one.answer(Dialog::OpenNES, traced.write("game.nes", rom)).answer(Dialog::OpenTXT, ops);
  const JobResult done = DumpTraced(s, one, {0xC010});
  ASSERT_EQ(done.outcome, Outcome::Done);
  EXPECT_EQ(done.written,
            (std::vector<std::string>{traced.file("game.asm.txt"), traced.file("Tables.txt")}));
  const std::string list = Slurp(traced.file("Tables.txt"));
  EXPECT_EQ(list, Trace(rom, {0xC010}).tablesText);
  s.withTables = true;
  two.answer(Dialog::OpenNES, fed.write("game.nes", rom)).answer(Dialog::OpenTXT, ops);
  two.answer(Dialog::OpenTableTXT, fed.write("list.txt", list));
  ASSERT_EQ(PlainDumpJob(s, two).outcome, Outcome::Done);
  const std::string listing = Slurp(traced.file("game.asm.txt"));
  EXPECT_EQ(listing, Slurp(fed.file("game.asm.txt")));
  // The vectors name their handlers; a word's low byte comes first.
  for (const char* named : {"; Table RESET[0]\r\n;--------------------\r\nlbl_c000:",
                            "; Table NMI[0]\r\n; Table IRQ[0]\r\n;--------------------\r\n"
                            "lbl_c006:",
                            "_fffc:\t.byte $ 0\t;\r\n\t\t.byte $C0\t;lbl_c000\r\n"}) {
    EXPECT_NE(listing.find(named), std::string::npos) << named;
  }
  EXPECT_EQ(one.asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenTXT}));
}

// The command line's --trace and --entry reach the traced dump.
TEST(Trace, CommandLineTracesFromItsEntryPoints) {
  TempDir dir;
  const std::string rom = Printer().file();
  const std::string path = dir.write("game.nes", rom);
  const std::string run = std::string(MORVANE_BINARY) + " dump --rom " + path +
                          " --mode code --trace --entry C010 --entry 0300 >/dev/null 2>&1";
  ASSERT_EQ(std::system(run.c_str()), 0);
  const TraceResult expected =
      TraceCode({rom, 0x8000 - 16, 0x8000, 0x8000, 0xBFFF, {0xC010, 0x0300}}, Shapes());
  EXPECT_EQ(Slurp(dir.file("Tables.txt")), expected.tablesText);
  EXPECT_NE(Slurp(dir.file("game.asm.txt")).find("lbl_c010"), std::string::npos);
  const std::string bad = std::string(MORVANE_BINARY) + " dump --rom " + path +
                          " --mode code --trace --entry C01G >/dev/null 2>&1";
  EXPECT_NE(std::system(bad.c_str()), 0);
}

// A traced dump reads only the part of a large file it maps (the header, the
// PRG ROM and the dumped block): its Table List is the one the whole file gives.
TEST(Trace, ALargeFileTracesAsAWhole) {
  TempDir dir;
  std::mt19937 rng(9);
  std::string rom = std::string("NES\x1A\x04\x00\x10\x00", 8) + std::string(8, '\0');
  rom.resize(16 + 4 * 0x4000 + (1 << 18));  // MMC1, 64 KiB of PRG, then other bytes
  for (std::size_t i = 16; i < rom.size(); ++i)
    rom[i] = static_cast<char>(rng() % 7 ? rng() : 0x60);
  const std::string path = dir.write("game.nes", rom);
  const struct {
    const char* preset;
    int block;
    std::int32_t base, end;
  } cases[] = {{"8000", 0, 0x8000, 0xBFFF},
               {"C000", 3, 0xC000, 0xFFFF},  // the fixed bank, with the others it calls
               {"C000", 1, 0xC000, 0xFFFF},
               {"8000", 10, 0x8000, 0xBFFF}};  // past the PRG ROM
  for (const auto& c : cases) {
    const std::string run = std::string(MORVANE_BINARY) + " dump --rom " + path +
                            " --mode code --trace --official-only --preset " + c.preset +
                            " --block " + std::to_string(c.block) + " --start " + c.preset +
                            " --end " + HexWord(c.end) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(run.c_str()), 0) << c.block;
    const std::int64_t origin = c.base - 16 - std::int64_t{0x4000} * c.block;
    const TraceResult expected = TraceCode({rom, origin, c.base, c.base, c.end, {}}, Shapes());
    EXPECT_EQ(Slurp(dir.file("Tables.txt")), expected.tablesText) << c.block;
  }
}

}  // namespace
}  // namespace morvane::test
