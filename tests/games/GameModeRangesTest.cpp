// The address window that choosing a game's dump mode puts in place, which
// the games register with their modes.
#include <gtest/gtest.h>

#include "games/GameDumpModes.h"
#include "shell/SettingsModel.h"

namespace morvane {
namespace {

TEST(GameModeRanges, ChoosingAModeSetsItsPresetRangeAndBlock) {
  RegisterGameDumpModes();
  struct Row {
    int mode;
    AddressPreset preset;
    std::int32_t base;
    const char* start;
    const char* end;
    const char* block;
  };
  const Row rows[] = {{kSpeech, AddressPreset::At6000, 0x6000, "8000", "8D81", "0.0"},
                      {kMenu, AddressPreset::At8000, 0x8000, "C5D3", "CB2B", "1.0"}};
  for (const Row& r : rows) {
    SettingsModel m;
    m.setBlock("3");
    m.chooseMode(r.mode);
    const Settings& s = m.settings();
    EXPECT_EQ(s.preset, r.preset) << r.mode;
    EXPECT_EQ(s.base, r.base) << r.mode;
    EXPECT_EQ(s.startText, r.start) << r.mode;
    EXPECT_EQ(s.endText, r.end) << r.mode;
    EXPECT_EQ(s.blockText, r.block) << r.mode;
  }
  // The modes without a range of their own leave the address window alone.
  SettingsModel m;
  m.setStart("9000");
  m.chooseMode(kText);
  EXPECT_EQ(m.settings().startText, "9000");
}

}  // namespace
}  // namespace morvane
