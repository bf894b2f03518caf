// The trace over programs whose layout is known exactly: NES programs built
// by the cc65 tools, with ld65's debug file saying what every byte is. Each
// block is traced, scored, and dumped with the Table List it got.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

#include "CorpusTruth.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/DumpDriver.h"
#include "dump/UnofficialOpcodes.h"
#include "shell/QuietHost.h"
#include "trace/TraceCode.h"

namespace morvane::test {
namespace {

struct Block {
  double number;  // in 16 KiB: an MMC3 bank of 8 KiB may start half way
  std::int32_t base;
  std::int32_t size = 0x4000;
};
struct CorpusRom {
  const char* name;
  std::vector<Block> blocks;
};

const std::vector<Block> kNrom = {{0, 0x8000}, {1, 0xC000}};
const std::vector<Block> kBanked = {{0, 0x8000}, {1, 0x8000}, {2, 0x8000}, {3, 0xC000}};
// 16 KiB seen at 8000 and again at C000: the one block, where the linker put it.
const std::vector<Block> kNrom16 = {{0, 0xC000}};
// Two 32 KiB banks that switch whole.
const std::vector<Block> kAxrom = {{0, 0x8000}, {1, 0xC000}, {2, 0x8000}, {3, 0xC000}};
// MMC3 with R6 switching C000: 8 KiB banks at A000 and C000 in turn, the
// one before the last at 8000 and the last at E000.
const std::vector<Block> kMmc3C000 = {
    {0, 0xA000}, {1, 0xA000}, {2, 0xA000}, {3, 0x8000, 0x2000}, {3.5, 0xE000, 0x2000}};
// The first bank fixed at 8000, the others switched in at C000.
const std::vector<Block> kLowFixed = {{0, 0x8000}, {1, 0xC000}, {2, 0xC000}, {3, 0xC000}};
// The least share of each program's code shown as code, and of all its
// bytes shown right.
constexpr double kLeastCode = 99.5;
constexpr double kLeastAll = 99.9;
// Over the whole corpus: every byte of code shown as code, and the least
// share of its data and fill shown as data.
constexpr double kLeastDataOfAll = 99.99;
const CorpusRom kCorpus[] = {
    {"idioms", kNrom},
    {"variants", kNrom},
    {"game", kNrom},
    {"numbers", kNrom},
    {"menu", kNrom},
    {"life", kNrom},
    {"mmc1", kBanked},
    {"uxrom", kBanked},
    {"mmc3", kBanked},
    {"farcalls", kBanked},
    {"farcalls_mmc3", kBanked},
    {"farretry", kBanked},
    {"farretry_uxrom", kBanked},
    {"axrom", kAxrom},
    {"inline", kNrom16},
    {"tricks", kNrom},
    {"sound", kNrom},
    {"textengine", kNrom},
    {"records", kNrom},
    {"trampoline", kBanked},
    {"chrram", kNrom},
    {"sprites", kNrom16},
    {"sprites_oirs", kNrom16},
    {"shell", kNrom},
    {"shell_plain", kNrom},
    {"store", kNrom16},
    {"store_o", kNrom16},
    {"quest", kNrom},
    {"robot", kNrom},
    {"layout", kNrom},
    {"states", kNrom},
    {"mmc1_32", kAxrom},
    {"mmc1_c000", kLowFixed},
    {"mmc3_8k", kBanked},
    {"mmc3_a000", kMmc3C000},
    {"engine", kNrom},
    {"overlay", kNrom},
    {"dispatch", kNrom},
    {"script", kNrom},
    {"ramtable", kNrom},
    {"actors", kNrom},
    {"music", kNrom},
    {"worlds", kBanked},
    {"menus", kNrom},
    {"ledger", kNrom},
    {"ledger_cl", kNrom},
    {"atlas", kNrom},
    {"unofficial", kNrom},
    {"pointers", kNrom},
    {"ramshell", kNrom},
};

const std::string kCorpusDir = MORVANE_CORPUS_DIR;
const std::string kOpCodes = std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt";
// The traced dump's opcodes: the official ones and the stable unofficial ones.
const std::string kAllOpCodes = std::string(MORVANE_SOURCE_DATA_DIR) + "/" + kUnofficialOpCodes;

Settings BlockSettings(const Block& b) {
  Settings s;
  s.mode = kCode;
  s.header = true;
  s.base = b.base;
  s.start = b.base;
  s.end = b.base + b.size - 1;
  s.block = b.number;
  s.blockText =
      std::to_string(static_cast<int>(b.number)) + (b.number > int(b.number) ? ".5" : ".0");
  s.withTables = true;
  return s;
}

// The block's number where it starts a 16 KiB block, else -1.
std::int64_t WholeBlock(const Block& b) {
  return b.number == static_cast<int>(b.number) ? static_cast<std::int64_t>(b.number) : -1;
}

const std::array<OpcodeShape, 256>& Shapes() {
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(kOpCodes, ops);
    AddUnofficialOpcodes(ops);
    return ShapesOf(ops);
  }();
  return shapes;
}

// Every code address the listing names inside the dumped range, from an
// instruction or a table of addresses, starts an instruction's line.
void ExpectLabelsOnCode(const std::string& listing, const Settings& s, const std::string& what) {
  std::set<long> named, labelled;
  for (std::size_t at = listing.find("lbl_"); at != std::string::npos;
       at = listing.find("lbl_", at + 4)) {
    std::size_t digits = 0;
    const long a = std::stol(listing.substr(at + 4, 4), &digits, 16);
    if (a < s.start || a > s.end) continue;
    named.insert(a);
    const bool atLineStart = at == 0 || listing[at - 1] == '\n';
    const bool onCode = listing.compare(at + 4 + digits, 3, ":\t.") != 0;
    if (atLineStart && listing.compare(at + 4 + digits, 1, ":") == 0 && onCode) {
      labelled.insert(a);
    }
  }
  EXPECT_EQ(named, labelled) << what;
}

// Traces and scores each block of the ROM at path (.nes, with its .dbg
// beside it), and dumps it with the list the trace wrote.
Figures ScoreRom(const std::string& path, const std::vector<Block>& blocks) {
  const std::string bytes = Slurp(path + ".nes");
  const std::string name = path.substr(path.find_last_of('/') + 1);
  const std::string dir = path.substr(0, path.size() - name.size());
  const auto truth =
      ReadTruth(Slurp(path + ".dbg"), bytes.size(), Slurp(path + ".map"), dir.empty() ? "." : dir);
  Figures whole;
  // The whole ROM traced once, as a dump does: what enters each bank.
  const RomTrace rom = TraceWholeRom(bytes, Shapes());
  for (const Block& b : blocks) {
    const Settings s = BlockSettings(b);
    const TraceResult traced = TraceCode({bytes,
                                          s.origin(),
                                          s.base,
                                          s.start,
                                          s.end,
                                          {},
                                          {},
                                          nullptr,
                                          rom.into(WholeBlock(b), s.base)},
                                         Shapes());
    const Figures f = Score(traced.tablesText, truth, s.origin(), s.start, s.end);
    std::printf(
        "%-12s block %g: code %6.2f %%  data %6.2f %%  all %6.2f %%  (%ld code, %ld data)\n",
        name.c_str(), b.number, f.codePct(), f.dataPct(), f.allPct(), f.code, f.data);
    whole.add(f);
    // The list it wrote is one the dump reads, and the dump runs to its end.
    TempDir dir;
    ScriptedHost host;
    host.answer(Dialog::OpenNES, dir.write("game.nes", bytes));
    host.answer(Dialog::OpenTXT, kAllOpCodes);
    host.answer(Dialog::OpenTableTXT, dir.write("Tables.txt", traced.tablesText));
    const JobResult done = PlainDumpJob(s, host);
    EXPECT_EQ(done.outcome, Outcome::Done) << name << " block " << s.blockText;
    EXPECT_TRUE(host.warnings.empty()) << name << " block " << s.blockText;
    ExpectLabelsOnCode(Slurp(dir.file("game.asm.txt")), s, name + " block " + s.blockText);
  }
  return whole;
}

void PrintTotal(const Figures& total) {
  std::printf("all blocks: code %6.2f %%  data %6.2f %%  all %6.2f %%\n", total.codePct(),
              total.dataPct(), total.allPct());
}

TEST(TraceCorpus, FindsCodeAndDataAsTheLinkerLaidThemOut) {
  if (Slurp(kCorpusDir + "/idioms.nes").empty()) GTEST_SKIP() << "no cc65 tools to build it";
  Figures total;
  for (const CorpusRom& rom : kCorpus) {
    const Figures whole = ScoreRom(kCorpusDir + "/" + rom.name, rom.blocks);
    EXPECT_GE(whole.codePct(), kLeastCode) << rom.name;
    EXPECT_GE(whole.allPct(), kLeastAll) << rom.name;
    total.add(whole);
  }
  PrintTotal(total);
  EXPECT_EQ(total.codeRight, total.code);
  EXPECT_GE(total.dataPct(), kLeastDataOfAll);
}

// A long run of branches before a return, more than a fixed stack held:
// the code finding dumps the block to its end.
TEST(TraceCorpus, CodeFindingDumpsLongRunsOfBranches) {
  const std::string bytes = Slurp(kCorpusDir + "/axrom.nes");
  if (bytes.empty()) GTEST_SKIP() << "no cc65 tools to build it";
  Settings s = BlockSettings({0, 0x8000});
  s.withTables = false;
  TempDir dir;
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write("game.nes", bytes));
  host.answer(Dialog::OpenTXT, kOpCodes);
  EXPECT_EQ(PlainDumpJob(s, host).outcome, Outcome::Done);
  EXPECT_TRUE(host.warnings.empty());
}

// TRACE_CORPUS_EXTRA: more ROMs to score, as paths without ".nes", blanks
// between them; every 16 KiB bank at 8000, the last at C000.
TEST(TraceCorpus, ScoresTheRomsNamedInTheEnvironment) {
  const char* extra = std::getenv("TRACE_CORPUS_EXTRA");
  if (extra == nullptr) GTEST_SKIP() << "TRACE_CORPUS_EXTRA names no ROMs";
  std::stringstream paths(extra);
  std::string path;
  Figures total;
  while (paths >> path) {
    const std::string bytes = Slurp(path + ".nes");
    const int banks = bytes.size() > 16 ? static_cast<unsigned char>(bytes[4]) : 0;
    std::vector<Block> blocks;
    for (int n = 0; n < banks; ++n)
      blocks.push_back({static_cast<double>(n), n == banks - 1 ? 0xC000 : 0x8000});
    total.add(ScoreRom(path, blocks));
  }
  PrintTotal(total);
}

}  // namespace
}  // namespace morvane::test
