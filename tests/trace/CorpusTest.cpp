// The trace over programs whose layout is known exactly: NES programs built
// by the cc65 tools, with ld65's debug file saying what every byte is. Each
// block is traced, scored, and dumped with the Table List it got.
#include <gtest/gtest.h>

#include <cstdio>

#include "CorpusTruth.h"
#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/DumpDriver.h"
#include "shell/QuietHost.h"
#include "trace/TraceCode.h"

namespace morvane::test {
namespace {

struct Block {
  int number;
  std::int32_t base;
};
struct CorpusRom {
  const char* name;
  std::vector<Block> blocks;
  double code;  // the least share of its code shown as code
  double all;   // and of all its bytes shown right
};

const std::vector<Block> kNrom = {{0, 0x8000}, {1, 0xC000}};
const std::vector<Block> kBanked = {{0, 0x8000}, {1, 0x8000}, {2, 0x8000}, {3, 0xC000}};
// The C programs link library modules that carry no line information, so
// the truth takes all of their code segment for code, tables in it too.
const CorpusRom kCorpus[] = {{"idioms", kNrom, 99.5, 99.9}, {"variants", kNrom, 99.5, 99.9},
                             {"game", kNrom, 97.5, 99.5},   {"numbers", kNrom, 97.5, 99.5},
                             {"mmc1", kBanked, 99.5, 99.9}, {"uxrom", kBanked, 99.5, 99.9}};

const std::string kCorpusDir = MORVANE_CORPUS_DIR;
const std::string kOpCodes = std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt";

Settings BlockSettings(const Block& b) {
  Settings s;
  s.mode = kCode;
  s.header = true;
  s.base = b.base;
  s.start = b.base;
  s.end = b.base + 0x3FFF;
  s.block = b.number;
  s.blockText = std::to_string(b.number) + ".0";
  s.withTables = true;
  return s;
}

TEST(TraceCorpus, FindsCodeAndDataAsTheLinkerLaidThemOut) {
  if (Slurp(kCorpusDir + "/idioms.nes").empty()) GTEST_SKIP() << "no cc65 tools to build it";
  OpcodeSet ops;
  QuietHost quiet;
  ASSERT_TRUE(ReadOpCodes(kOpCodes, ops, quiet));
  const auto shapes = ShapesOf(ops);
  Figures total;
  for (const CorpusRom& rom : kCorpus) {
    const std::string bytes = Slurp(kCorpusDir + "/" + rom.name + ".nes");
    const auto truth = ReadTruth(Slurp(kCorpusDir + "/" + rom.name + ".dbg"), bytes.size());
    Figures whole;
    for (const Block& b : rom.blocks) {
      const Settings s = BlockSettings(b);
      const TraceResult traced = TraceCode({bytes, s.origin(), s.base, s.start, s.end, {}}, shapes);
      const Figures f = Score(traced.tablesText, truth, s.origin(), s.start, s.end);
      std::printf(
          "%-8s block %d: code %6.2f %%  data %6.2f %%  all %6.2f %%  (%ld code, %ld data)\n",
          rom.name, b.number, f.codePct(), f.dataPct(), f.allPct(), f.code, f.data);
      whole.add(f);
      // The list it wrote is one the dump reads, and the dump runs to its end.
      TempDir dir;
      ScriptedHost host;
      host.answer(Dialog::OpenNES, dir.write("game.nes", bytes));
      host.answer(Dialog::OpenTXT, kOpCodes);
      host.answer(Dialog::OpenTableTXT, dir.write("Tables.txt", traced.tablesText));
      const JobResult done = cmdDump_Click(s, host);
      EXPECT_EQ(done.outcome, Outcome::Done) << rom.name << " block " << b.number;
      EXPECT_TRUE(host.warnings.empty()) << rom.name << " block " << b.number;
    }
    EXPECT_GE(whole.codePct(), rom.code) << rom.name;
    EXPECT_GE(whole.allPct(), rom.all) << rom.name;
    total.add(whole);
  }
  std::printf("all blocks: code %6.2f %%  data %6.2f %%  all %6.2f %%\n", total.codePct(),
              total.dataPct(), total.allPct());
}

}  // namespace
}  // namespace morvane::test
