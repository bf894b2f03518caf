// The window a bank runs at, found from the ROM alone, against where the
// linker put each bank of the corpus programs.
#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "trace/BankWindow.h"
#include "trace/TraceDump.h"

namespace morvane::test {
namespace {

TEST(BankWindow, FindsWhereTheLinkerPutEachBank) {
  const std::string dir = MORVANE_CORPUS_DIR;
  if (Slurp(dir + "/idioms.nes").empty()) GTEST_SKIP() << "no cc65 tools to build it";
  struct Rom {
    const char* name;
    std::vector<std::int32_t> bases;  // of each 16 KiB bank in turn
    const char* why;                  // what the first switched bank's window comes from, when sure
  };
  const std::vector<std::int32_t> banked = {0x8000, 0x8000, 0x8000, 0xC000};
  const std::vector<std::int32_t> halves = {0x8000, 0xC000, 0x8000, 0xC000};
  const Rom roms[] = {
      {"idioms", {0x8000, 0xC000}, "32 KiB of PRG ROM fill 8000-FFFF"},
      {"inline", {0xC000}, "16 KiB of PRG ROM, seen at 8000 and C000"},
      {"mmc1", banked, nullptr},
      {"uxrom", banked, nullptr},
      {"mmc3", banked, nullptr},
      {"farcalls", banked, nullptr},
      {"farcalls_mmc3", banked, nullptr},
      {"trampoline", banked, nullptr},
      {"worlds", banked, nullptr},
      {"mmc3_8k", banked, nullptr},
      {"mmc3_a000",
       {0xA000, 0xA000, 0xA000, 0x8000},
       "the MMC3's bank selects and the bank's own calls: 8 KiB bank 2 at A000, 3 at C000"},
      {"axrom", halves, "half of a 32 KiB bank mapper 7 switches whole"},
      {"mmc1_32", halves, "the MMC1's control register set to 00: 32 KiB switched whole"},
      {"mmc1_c000",
       {0x8000, 0xC000, 0xC000, 0xC000},
       "the MMC1's control register set to 08: the first bank fixed at 8000, C000 switched"},
  };
  for (const Rom& r : roms) {
    const std::string rom = Slurp(dir + "/" + r.name + ".nes");
    ASSERT_FALSE(rom.empty()) << r.name;
    for (std::size_t n = 0; n < r.bases.size(); ++n) {
      const BankWindow w = FindBankWindow(rom, 16 + 0x4000 * static_cast<std::int64_t>(n));
      EXPECT_EQ(w.base, r.bases[n]) << r.name << " bank " << n << ": " << w.why;
      // The why of a switched bank (the second of four), or of the first.
      if (r.why != nullptr && n == (r.bases.size() > 2 ? 1u : 0u)) {
        EXPECT_EQ(w.why.rfind(r.why, 0), 0u) << r.name << ": " << w.why;
      }
    }
  }
}

}  // namespace
}  // namespace morvane::test

namespace morvane::test {
namespace {

// --window auto: the traced dump of a bank at the window it runs at, said in
// the listing's header and in Tables.txt; a window the user gave wins.
TEST(BankWindow, TracedDumpTakesTheWindowFoundUnlessOneIsGiven) {
  const std::string rom = Slurp(std::string(MORVANE_CORPUS_DIR) + "/mmc1_c000.nes");
  if (rom.empty()) GTEST_SKIP() << "no cc65 tools to build it";
  const std::string why =
      "Window C000: found from the MMC1's control register set to 08: the first bank fixed at "
      "8000, C000 switched.\r\n";
  for (const bool given : {false, true}) {
    Settings s;
    s.mode = kCode;
    s.trace = true;
    s.block = 2;
    s.blockText = "2";
    s.options.add("window", "auto");
    if (given) s.preset = AddressPreset::Custom;
    TempDir dir;
    ScriptedHost host;
    host.answer(Dialog::OpenNES, dir.write("game.nes", rom));
    host.answer(Dialog::OpenTXT, std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt");
    ASSERT_EQ(DumpJob(s, host).outcome, Outcome::Done) << given;
    const std::string listing = Slurp(dir.file("game.asm.txt"));
    const std::string tables = Slurp(dir.file("Tables.txt"));
    EXPECT_EQ(listing.find("; Block: 2 Address Base: C000\r\n; " + why) != std::string::npos,
              !given);
    EXPECT_EQ(listing.find("; Lines C000 thru FFFF\r\n") != std::string::npos, !given);
    EXPECT_EQ(tables.find("\r\n; " + why) != std::string::npos, !given);
  }
}

}  // namespace
}  // namespace morvane::test
