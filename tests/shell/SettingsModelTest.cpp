#include "shell/SettingsModel.h"

#include <gtest/gtest.h>

#include "shell/JobError.h"

namespace morvane {
namespace {

SettingsModel Model() {
  return SettingsModel([] { return 1; });
}

TEST(SettingsModel, StartUpState) {
  const SettingsModel m = Model();
  const Settings& s = m.settings();
  EXPECT_EQ(s.mode, kCode);
  EXPECT_EQ(s.preset, 1);
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
  EXPECT_TRUE(c.wTables);
  EXPECT_FALSE(c.raw);
  EXPECT_FALSE(c.asTable);
  EXPECT_FALSE(c.concat);
  EXPECT_FALSE(c.phrase);
  EXPECT_FALSE(c.txtAddress);
  EXPECT_TRUE(c.jobs);
  EXPECT_FALSE(c.locked);
  EXPECT_EQ(m.height(), kIdleHeight);
  EXPECT_TRUE(m.cancelFlag());
  EXPECT_EQ(m.statusText(), kIdleTexts[1]);
}

TEST(SettingsModel, AddressBoxesRevertInvalidEdits) {
  SettingsModel m = Model();
  EXPECT_FALSE(m.txtStart_Change("800G"));
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_FALSE(m.txtStart_Change(""));
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_TRUE(m.txtStart_Change("800"));
  EXPECT_EQ(m.settings().start, 0x800);
  EXPECT_FALSE(m.txtStart_Change("X"));
  EXPECT_EQ(m.settings().startText, "0800");  // restored with four digits
  EXPECT_TRUE(m.txtEnd_Change("bfef"));
  EXPECT_EQ(m.settings().end, 0xBFEF);
  EXPECT_FALSE(m.txtEnd_Change("12345"));
  EXPECT_EQ(m.settings().endText, "BFEF");
}

TEST(SettingsModel, BlockBox) {
  SettingsModel m = Model();
  EXPECT_TRUE(m.txtBlock_Change("3"));
  EXPECT_EQ(m.settings().blockText, "3.0");
  EXPECT_DOUBLE_EQ(m.settings().block, 3.0);
  EXPECT_TRUE(m.txtBlock_Change("1.5"));
  EXPECT_EQ(m.settings().blockText, "1.5");
  EXPECT_FALSE(m.txtBlock_Change("1.2.3"));
  EXPECT_EQ(m.settings().blockText, "1.5");
  EXPECT_FALSE(m.txtBlock_Change("."));
  EXPECT_TRUE(m.txtBlock_Change("2"));
  EXPECT_FALSE(m.txtBlock_Change(""));
  EXPECT_EQ(m.settings().blockText, "2.0");
  EXPECT_TRUE(m.txtBlock_Change("1."));
  EXPECT_EQ(m.settings().blockText, "1.");
  EXPECT_TRUE(m.txtBlock_Change(".5"));
  EXPECT_DOUBLE_EQ(m.settings().block, 0.5);
}

TEST(SettingsModel, OriginMapping) {
  SettingsModel m = Model();
  m.opAddress_Click(2);  // C000, block 1.0
  EXPECT_EQ(m.settings().offsetOf(0xC000), 0x4010);
  m.setHeader(false);
  EXPECT_EQ(m.settings().offsetOf(0xC000), 0x4000);
  m.opAddress_Click(1);
  m.txtBlock_Change("1.5");
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
    int index;
    const char* start;
    const char* end;
    const char* block;
  };
  const Row rows[] = {{0, "6000", "9FFF", "0.0"},
                      {2, "C000", "FFFF", "1.0"},
                      {3, "A000", "DFFF", "1.0"},
                      {1, "8000", "BFFF", "0.0"}};
  for (const Row& r : rows) {
    m.opAddress_Click(r.index);
    EXPECT_EQ(m.settings().startText, r.start);
    EXPECT_EQ(m.settings().endText, r.end);
    EXPECT_EQ(m.settings().blockText, r.block);
    EXPECT_EQ(m.settings().base, m.settings().start);
  }
  m.txtBlock_Change("2.5");
  m.opAddress_Click(4);  // E000 keeps the block
  EXPECT_EQ(m.settings().blockText, "2.5");
  EXPECT_EQ(m.settings().base, 0xE000);
}

TEST(SettingsModel, CustomPreset) {
  SettingsModel m = Model();
  m.opAddress_Click(5);
  EXPECT_TRUE(m.controls().txtAddress);
  EXPECT_EQ(m.settings().startText, "F000");
  EXPECT_EQ(m.settings().endText, "FFFF");
  EXPECT_EQ(m.settings().base, 0xF000);
  EXPECT_TRUE(m.txtAddress_Change("A123"));
  EXPECT_EQ(m.settings().base, 0xA123);
  EXPECT_EQ(m.settings().start, 0xA123);
  EXPECT_FALSE(m.txtAddress_Change("A12Z"));
  EXPECT_EQ(m.settings().addressText, "A123");
  m.opAddress_Click(0);
  EXPECT_FALSE(m.controls().txtAddress);
}

TEST(SettingsModel, ModesAndTheirOptions) {
  SettingsModel m = Model();
  m.opFeatures_Click(kSpeech);
  EXPECT_EQ(m.settings().base, 0x6000);
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_EQ(m.settings().endText, "8D81");
  EXPECT_EQ(m.settings().blockText, "0.0");
  EXPECT_FALSE(m.controls().wTables);
  EXPECT_FALSE(m.controls().raw);
  EXPECT_FALSE(m.controls().trace);

  m.opFeatures_Click(kMenu);
  EXPECT_EQ(m.settings().base, 0x8000);
  EXPECT_EQ(m.settings().startText, "C5D3");
  EXPECT_EQ(m.settings().endText, "CB2B");
  EXPECT_EQ(m.settings().blockText, "1.0");

  m.opFeatures_Click(kText);
  EXPECT_TRUE(m.controls().asTable);
  EXPECT_TRUE(m.controls().phrase);
  EXPECT_FALSE(m.controls().concat);
  m.chkAsTable_Click(true);
  EXPECT_TRUE(m.controls().concat);
  m.opFeatures_Click(kTableOnly);
  EXPECT_FALSE(m.controls().asTable);
  EXPECT_FALSE(m.controls().concat);
  EXPECT_FALSE(m.controls().phrase);

  m.opFeatures_Click(kCode);
  EXPECT_TRUE(m.controls().wTables);
  EXPECT_TRUE(m.controls().trace);
  EXPECT_FALSE(m.controls().raw);
  m.chkwTables_Click(false);
  EXPECT_TRUE(m.controls().raw);
  m.chkwTables_Click(true);
  EXPECT_FALSE(m.controls().raw);
}

TEST(SettingsModel, BusyStateCorrectsTheRangeAndLocksTheBoxes) {
  SettingsModel m = Model();
  m.txtStart_Change("6000");
  m.txtEnd_Change("5000");
  m.Enable_Controls(false);
  EXPECT_EQ(m.settings().startText, "8000");
  EXPECT_EQ(m.settings().endText, "8000");
  EXPECT_EQ(m.settings().end, 0x8000);
  EXPECT_TRUE(m.controls().locked);
  EXPECT_FALSE(m.controls().jobs);
  EXPECT_FALSE(m.controls().wTables);
  EXPECT_FALSE(m.controls().trace);
  EXPECT_FALSE(m.controls().opAddress);
  EXPECT_FALSE(m.cancelFlag());
  EXPECT_EQ(m.statusText(), kBusyText);
  EXPECT_EQ(m.height(), kBusyHeight);
  m.cmdCancel_Click();
  EXPECT_TRUE(m.cancelFlag());
  m.Enable_Controls(true);
  EXPECT_TRUE(m.controls().wTables);
  EXPECT_FALSE(m.controls().locked);
  EXPECT_EQ(m.height(), kIdleHeight);

  Settings s = Model().settings();
  s.start = 0x7000;
  s.end = 0x6000;
  CorrectRangeForJob(s);
  EXPECT_EQ(s.start, 0x8000);
  EXPECT_EQ(s.endText, "8000");
}

TEST(SettingsModel, IdleTextsComeFromTheChooser) {
  for (int i = 0; i < 3; ++i) {
    SettingsModel m([i] { return i; });
    EXPECT_EQ(m.statusText(), kIdleTexts[static_cast<std::size_t>(i)]);
  }
}

}  // namespace
}  // namespace morvane
