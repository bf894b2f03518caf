// The whole ROM as one program, over the banked corpus programs: every
// entry it gives a bank starts code there as the linker laid it out, and a
// call after a bank write the trace follows is a sure entry of that bank
// alone.
#include <gtest/gtest.h>

#include "CorpusTruth.h"
#include "TempDir.h"
#include "dump/UnofficialOpcodes.h"
#include "trace/RomTrace.h"
#include "trace/TraceCode.h"

namespace morvane::test {
namespace {

const std::string kCorpusDir = MORVANE_CORPUS_DIR;

const std::array<OpcodeShape, 256>& Shapes() {
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
    AddUnofficialOpcodes(ops);
    return ShapesOf(ops);
  }();
  return shapes;
}

struct Case {
  const char* name;
  // Per block, the sure entries expected; empty: only checked against the
  // linker's layout.
  std::vector<std::size_t> sure;
};

TEST(RomTrace, EntersEachBankWhereItsCodeStarts) {
  if (Slurp(kCorpusDir + "/farretry.nes").empty()) GTEST_SKIP() << "no cc65 tools to build it";
  const Case cases[] = {
      {"farretry", {2, 2, 1, 0}},
      {"mmc3_a000", {2, 2, 2, 0}},
      {"farretry_uxrom", {2, 2, 1, 0}},
      {"mmc1", {}},
      {"uxrom", {}},
      {"mmc3", {}},
      {"farcalls", {2, 2, 1, 0}},
      {"farcalls_mmc3", {2, 2, 1, 0}},
      {"trampoline", {}},
      {"worlds", {}},
      {"mmc1_c000", {}},
      {"mmc3_8k", {}},
      {"idioms", {0, 0}},
  };
  for (const Case& c : cases) {
    const std::string path = kCorpusDir + "/" + c.name;
    const std::string rom = Slurp(path + ".nes");
    const auto truth =
        ReadTruth(Slurp(path + ".dbg"), rom.size(), Slurp(path + ".map"), kCorpusDir);
    const RomTrace whole = TraceWholeRom(rom, Shapes());
    std::size_t found = 0;
    for (std::size_t b = 0; b < whole.entries.size(); ++b) {
      std::size_t sure = 0;
      for (const RomEntry& e : whole.entries[b]) {
        const std::size_t at = 16 + b * 0x4000 + static_cast<std::size_t>(e.to - whole.bases[b]);
        EXPECT_EQ(truth[at], Truth::Code) << c.name << " block " << b << " at " << std::hex << e.to
                                          << " from " << e.from << " sure " << e.sure;
        sure += e.sure ? 1 : 0;
      }
      if (!c.sure.empty()) {
        EXPECT_EQ(sure, c.sure[b]) << c.name << " block " << b;
      }
      found += whole.entries[b].size();
    }
    // Only ROMs with a fixed bank beside a switched window get entries.
    if (whole.entries.empty()) {
      EXPECT_EQ(c.sure, (std::vector<std::size_t>{0, 0})) << c.name;
    } else {
      EXPECT_GT(found, 0u) << c.name;
    }
  }
}

// The listing says where each entry came from: the bank and the call.
TEST(RomTrace, TheDumpNamesWhereEachEntryCameFrom) {
  const std::string rom = Slurp(kCorpusDir + "/farretry.nes");
  if (rom.empty()) GTEST_SKIP() << "no cc65 tools to build it";
  const RomTrace whole = TraceWholeRom(rom, Shapes());
  const std::int64_t origin = 0x8000 - 16 - 2 * 0x4000;
  const TraceResult traced = TraceCode(
      {rom, origin, 0x8000, 0x8000, 0xBFFF, {}, {}, nullptr, whole.into(2, 0x8000)}, Shapes());
  ASSERT_EQ(traced.fromBanks.size(), 1u);
  EXPECT_EQ(traced.fromBanks[0].rfind("Entered at 8000 from bank 3 at C", 0), 0u)
      << traced.fromBanks[0];
  EXPECT_NE(traced.tablesText.find("; " + traced.fromBanks[0]), std::string::npos);
  // At another window than the whole-ROM trace found, the bank gets none.
  EXPECT_TRUE(whole.into(2, 0xC000).empty());
}

}  // namespace
}  // namespace morvane::test

namespace morvane::test {
namespace {

// Any file: random bytes under headers of each banked mapper, with as much
// PRG ROM as they say or less, traced whole without a fault, each entry in
// a block the file holds.
TEST(RomTrace, TakesAnyBytes) {
  std::uint32_t noise = 0x2468ACE1;
  for (const int mapper : {1, 2, 4, 7}) {
    for (const int held : {0, 3, 8}) {
      std::string rom =
          std::string("NES\x1A", 4) + char(8) + '\0' + char(mapper << 4) + std::string(9, '\0');
      for (int i = 0; i < held * 0x4000 + 0x123; ++i) {
        noise = noise * 1664525u + 1013904223u;
        rom += static_cast<char>(noise >> 24);
      }
      const RomTrace whole = TraceWholeRom(rom, Shapes());
      EXPECT_LE(whole.entries.size(), static_cast<std::size_t>(held)) << mapper;
      for (std::size_t b = 0; b < whole.entries.size(); ++b) {
        for (const RomEntry& e : whole.entries[b]) {
          EXPECT_GE(e.to, whole.bases[b]) << mapper;
          EXPECT_LT(e.to, whole.bases[b] + whole.sizes[b]) << mapper;
        }
      }
    }
  }
}

}  // namespace
}  // namespace morvane::test
