#include "shell/SettingsModel.h"

#include <gtest/gtest.h>

#include "shell/JobError.h"

namespace morvane {
namespace {

SettingsModel Model() {
  return SettingsModel();
}

TEST(SettingsModel, StartUpState) {
  const SettingsModel m = Model();
  const Settings& s = m.settings();
  EXPECT_EQ(s.mode, kCode);
  EXPECT_EQ(s.preset, AddressPreset::At8000);
  EXPECT_EQ(s.startText, "8000");
  EXPECT_EQ(s.endText, "BFFF");
  EXPECT_EQ(s.blockText, "0.0");
  EXPECT_EQ(s.base, 0x8000);
  EXPECT_EQ(s.start, 0x8000);
  EXPECT_EQ(s.end, 0xBFFF);
  EXPECT_TRUE(s.header);
  EXPECT_TRUE(s.withTables);
  EXPECT_TRUE(s.raw);
  const ControlStates& c = m.controls();
  EXPECT_TRUE(c.withTables);
  EXPECT_FALSE(c.raw);
  EXPECT_FALSE(c.asTable);
  EXPECT_FALSE(c.concat);
  EXPECT_FALSE(c.phrase);
  EXPECT_FALSE(c.customAddress);
  EXPECT_TRUE(c.jobs);
  EXPECT_FALSE(c.locked);
  EXPECT_FALSE(m.busy());
  EXPECT_TRUE(m.cancelRequested());
}

TEST(SettingsModel, AddressBoxesRevertInvalidEdits) {
  SettingsModel m = Model();
  EXPECT_FALSE(m.setStart("800G"));
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_FALSE(m.setStart(""));
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_TRUE(m.setStart("800"));
  EXPECT_EQ(m.settings().start, 0x800);
  EXPECT_FALSE(m.setStart("X"));
  EXPECT_EQ(m.settings().startText, "0800");  // restored with four digits
  EXPECT_TRUE(m.setEnd("bfef"));
  EXPECT_EQ(m.settings().end, 0xBFEF);
  EXPECT_FALSE(m.setEnd("12345"));
  EXPECT_EQ(m.settings().endText, "BFEF");
}

TEST(SettingsModel, BlockBox) {
  SettingsModel m = Model();
  EXPECT_TRUE(m.setBlock("3"));
  EXPECT_EQ(m.settings().blockText, "3.0");
  EXPECT_DOUBLE_EQ(m.settings().block, 3.0);
  EXPECT_TRUE(m.setBlock("1.5"));
  EXPECT_EQ(m.settings().blockText, "1.5");
  EXPECT_FALSE(m.setBlock("1.2.3"));
  EXPECT_EQ(m.settings().blockText, "1.5");
  EXPECT_FALSE(m.setBlock("."));
  EXPECT_TRUE(m.setBlock("2"));
  EXPECT_FALSE(m.setBlock(""));
  EXPECT_EQ(m.settings().blockText, "2.0");
  EXPECT_TRUE(m.setBlock("1."));
  EXPECT_EQ(m.settings().blockText, "1.");
  EXPECT_TRUE(m.setBlock(".5"));
  EXPECT_DOUBLE_EQ(m.settings().block, 0.5);
}

TEST(SettingsModel, OriginMapping) {
  SettingsModel m = Model();
  m.chooseAddressPreset(AddressPreset::AtC000);  // block 1.0
  EXPECT_EQ(m.settings().offsetOf(0xC000), 0x4010);
  m.setHeader(false);
  EXPECT_EQ(m.settings().offsetOf(0xC000), 0x4000);
  m.chooseAddressPreset(AddressPreset::At8000);
  m.setBlock("1.5");
  EXPECT_EQ(m.settings().offsetOf(0x8000), 0x6000);
  Settings s = m.settings();
  s.block = 1.0 / 32768.0;  // 0.5 exactly: rounds half to even
  s.base = 0x8001;
  EXPECT_EQ(s.origin(), 0x8000);
  s.block = 1e12;
  EXPECT_THROW(s.origin(), JobError);
}

TEST(SettingsModel, Presets) {
  SettingsModel m = Model();
  struct Row {
    AddressPreset preset;
    const char* start;
    const char* end;
    const char* block;
  };
  const Row rows[] = {{AddressPreset::At6000, "6000", "9FFF", "0.0"},
                      {AddressPreset::AtC000, "C000", "FFFF", "1.0"},
                      {AddressPreset::AtA000, "A000", "DFFF", "1.0"},
                      {AddressPreset::At8000, "8000", "BFFF", "0.0"}};
  for (const Row& r : rows) {
    m.chooseAddressPreset(r.preset);
    EXPECT_EQ(m.settings().startText, r.start);
    EXPECT_EQ(m.settings().endText, r.end);
    EXPECT_EQ(m.settings().blockText, r.block);
    EXPECT_EQ(m.settings().base, m.settings().start);
  }
  m.setBlock("2.5");
  m.chooseAddressPreset(AddressPreset::AtE000);  // keeps the block
  EXPECT_EQ(m.settings().blockText, "2.5");
  EXPECT_EQ(m.settings().base, 0xE000);
}

TEST(SettingsModel, CustomPreset) {
  SettingsModel m = Model();
  m.chooseAddressPreset(AddressPreset::Custom);
  EXPECT_TRUE(m.controls().customAddress);
  EXPECT_EQ(m.settings().startText, "F000");
  EXPECT_EQ(m.settings().endText, "FFFF");
  EXPECT_EQ(m.settings().base, 0xF000);
  EXPECT_TRUE(m.setAddress("A123"));
  EXPECT_EQ(m.settings().base, 0xA123);
  EXPECT_EQ(m.settings().start, 0xA123);
  EXPECT_FALSE(m.setAddress("A12Z"));
  EXPECT_EQ(m.settings().addressText, "A123");
  m.chooseAddressPreset(AddressPreset::At6000);
  EXPECT_FALSE(m.controls().customAddress);
}

TEST(SettingsModel, ModesAndTheirOptions) {
  SettingsModel m = Model();
  m.chooseMode(kSpeech);
  EXPECT_FALSE(m.controls().withTables);
  EXPECT_FALSE(m.controls().raw);
  EXPECT_FALSE(m.controls().trace);

  m.chooseMode(kText);
  EXPECT_TRUE(m.controls().asTable);
  EXPECT_TRUE(m.controls().phrase);
  EXPECT_FALSE(m.controls().concat);
  m.setAsTable(true);
  EXPECT_TRUE(m.controls().concat);
  m.chooseMode(kTableOnly);
  EXPECT_FALSE(m.controls().asTable);
  EXPECT_FALSE(m.controls().concat);
  EXPECT_FALSE(m.controls().phrase);

  m.chooseMode(kCode);
  EXPECT_TRUE(m.controls().withTables);
  EXPECT_TRUE(m.controls().trace);
  EXPECT_FALSE(m.controls().raw);
  m.setWithTables(false);
  EXPECT_TRUE(m.controls().raw);
  m.setWithTables(true);
  EXPECT_FALSE(m.controls().raw);
}

TEST(SettingsModel, BusyStateCorrectsTheRangeAndLocksTheBoxes) {
  SettingsModel m = Model();
  m.setStart("6000");
  m.setEnd("5000");
  m.setBusy(true);
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_EQ(m.settings().endText, "8000");
  EXPECT_EQ(m.settings().end, 0x8000);
  EXPECT_TRUE(m.controls().locked);
  EXPECT_FALSE(m.controls().jobs);
  EXPECT_FALSE(m.controls().withTables);
  EXPECT_FALSE(m.controls().trace);
  EXPECT_FALSE(m.controls().presets);
  EXPECT_TRUE(m.busy());
  EXPECT_FALSE(m.cancelRequested());
  m.requestCancel();
  EXPECT_TRUE(m.cancelRequested());
  m.setBusy(false);
  EXPECT_TRUE(m.controls().withTables);
  EXPECT_FALSE(m.controls().locked);
  EXPECT_FALSE(m.busy());

  Settings s = Model().settings();
  s.start = 0x7000;
  s.end = 0x6000;
  CorrectRangeForJob(s);
  EXPECT_EQ(s.start, 0x8000);
  EXPECT_EQ(s.endText, "8000");
}

}  // namespace
}  // namespace morvane
