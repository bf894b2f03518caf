// Find Pointers on a game-like ROM: an interleaved table and split tables.
#include <gtest/gtest.h>

#include "analysis/FindPointers.h"
#include "analysis/PointerFinder.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// 32 KiB NROM: five pointers at 8100 (interleaved) to 9000 + 10i, four at
// 8200/8280 (split) to A000 + 8i; zeros around them.
std::string Rom() {
  std::string rom(0x8010, '\0');
  rom.replace(0, 4, "NES\x1A");
  rom[4] = 2;
  for (int i = 0; i < 5; ++i) {
    rom[0x0110 + 2 * i] = static_cast<char>(0x10 * i);
    rom[0x0111 + 2 * i] = '\x90';
  }
  for (int i = 0; i < 4; ++i) {
    rom[0x0210 + i] = static_cast<char>(8 * i);
    rom[0x0290 + i] = '\xA0';
  }
  return rom;
}

TEST(FindPointers, WordsAndSplitTablesWithTheirTables) {
  const std::string rom = Rom();
  const BankLayout layout = LayoutOf(0, 16, 0x8000);
  const struct {
    std::int64_t offset;
    bool split;
    std::int64_t low, high, first;
    int count, index;
  } cases[] = {
      {0x1010, false, 0x0110, 0x0111, 0x0110, 5, 0},
      {0x1050, false, 0x0118, 0x0119, 0x0110, 5, 4},
      {0x2028, true, 0x0213, 0x0293, 0x0210, 4, 3},
  };
  for (const auto& c : cases) {
    const auto targets = FindPointersTo(rom, layout, c.offset);
    ASSERT_EQ(targets.size(), 1u);  // one 32 KiB window at 8000
    ASSERT_FALSE(targets[0].pointers.empty()) << c.offset;
    const FoundPointer& p = targets[0].pointers.front();
    EXPECT_EQ(p.split, c.split);
    EXPECT_EQ(p.low, c.low);
    EXPECT_EQ(p.high, c.high);
    EXPECT_EQ(p.first, c.first);
    EXPECT_EQ(p.count, c.count);
    EXPECT_EQ(p.index, c.index);
  }
  EXPECT_EQ(LayoutOf(4, 16, 0x20000).bases.size(), 4u);
  EXPECT_EQ(CpuOf(LayoutOf(2, 16, 0x20000), 0xC000, 0x4010 + 0x123), 0xC123);
}

TEST(FindPointers, WritesTheReportAndRefusesOffsetsOutsideTheFile) {
  TempDir dir;
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write("game.nes", Rom()));
  Settings s;
  s.options.add("address", "1010");
  ASSERT_EQ(FindPointersJob(s, host).outcome, Outcome::Done);
  const std::string report = Slurp(dir.file("game Pointers.txt"));
  EXPECT_EQ(report.substr(0, report.find("  as CPU")),
            CrLf({"Pointers in game.nes (mapper 0, 32 KiB banks)", ";--------------------",
                  "File offset 01010:"}));
  EXPECT_NE(report.find("    word   at 00110  (CPU 8100)  pointer 0 of a table of 5  "
                        "--pointers 8100,8101,2 --count 5\r\n"),
            std::string::npos)
      << report;

  host = ScriptedHost();
  host.answer(Dialog::OpenNES, dir.file("game.nes"));
  s.options.add("address", "9000");
  EXPECT_EQ(FindPointersJob(s, host).outcome, Outcome::Warned);
  ASSERT_FALSE(host.warnings.empty());
  EXPECT_EQ(host.warnings[0].second, "--address 9000 does not lie in game.nes (8010h bytes).");
}

}  // namespace
}  // namespace morvane
