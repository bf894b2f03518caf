// The Tools menu: patches created and applied, and the Write Patches choice
// kept between runs of the window.
#include <QAction>
#include <QMenu>

#include "JobFixture.h"
#include "gui/Preferences.h"
#include "patch/PatchApply.h"

namespace morvane {
namespace {

class PatchMenuTest : public JobTest {
 protected:
  void TearDown() override {
    Preferences::SetWritePatches({});
    JobTest::TearDown();
  }
  QAction* action(const char* name) const { return find<QAction>(name); }
};

TEST_F(PatchMenuTest, CreateAndApplyFromTheToolsMenu) {
  QMenu* tools = find<QMenu>("mnuTools");
  ASSERT_NE(tools, nullptr);
  QStringList captions;
  for (const QAction* item : tools->actions()) captions << item->text();
  // After any other tools the menu holds.
  EXPECT_EQ(captions.mid(captions.size() - 3),
            QStringList({"Create Patch...", "Apply Patch...", "&Write Patches"}));

  const std::string rom = copySample("sample.nes");
  std::string changed = Slurp(rom);
  changed.replace(0x64, 5, "HOLA!");
  const std::string modified = dir.write("sample v2.nes", changed);
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenNES, modified);
  action("mnuCreatePatch")->trigger();
  expectRanCleanly();
  EXPECT_TRUE(takeStatuses().contains("Patch Created"));
  ASSERT_TRUE(dir.exists("sample v2.bps"));

  answer(Dialog::OpenNES, rom);
  answer(kOpenPatch, dir.file("sample v2.bps"));
  action("mnuApplyPatch")->trigger();
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked.back(), kOpenPatch);
  EXPECT_EQ(Slurp(dir.file("sample_Patched.nes")), changed);
}

TEST_F(PatchMenuTest, WritePatchesIsKept) {
  EXPECT_TRUE(action("mnuWritePatchesnone")->isChecked());
  action("mnuWritePatchesbps")->trigger();
  EXPECT_EQ(Preferences::WritePatches(), "bps");
  FrmMorvane again([] { return 0; });
  EXPECT_TRUE(again.findChild<QAction*>("mnuWritePatchesbps")->isChecked());
  EXPECT_FALSE(again.findChild<QAction*>("mnuWritePatchesnone")->isChecked());
}

}  // namespace
}  // namespace morvane
