// The Tools menu: patches created and applied, and the Write Patches choice
// kept between runs of the window.
#include <QAction>
#include <QMenu>

#include "JobFixture.h"
#include "gui/Preferences.h"
#include "patch/PatchApply.h"
#include "patch/PatchCreate.h"
#include "patch/PatchFormat.h"

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
  answer(kOpenOriginal, rom);
  answer(kOpenModified, modified);
  action("mnuCreatePatch")->trigger();
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked.back(), kOpenModified);
  EXPECT_EQ(SpecOf(kOpenOriginal).title, std::string("Select Original File"));
  EXPECT_EQ(SpecOf(kOpenModified).title, std::string("Select Modified File"));
  EXPECT_TRUE(takeStatuses().contains("Patch Created"));
  ASSERT_TRUE(dir.exists("sample v2.bps"));

  answer(Dialog::OpenNES, rom);
  answer(kOpenPatch, dir.file("sample v2.bps"));
  action("mnuApplyPatch")->trigger();
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked.back(), kOpenPatch);
  EXPECT_EQ(Slurp(dir.file("sample_Patched.nes")), changed);
}

TEST_F(PatchMenuTest, CreateOffersTwoFilesAndRefusesOneFileTwice) {
  const std::string rom = copySample("sample.nes");
  const QString romPath = QString::fromStdString(rom);
  // The modified file's dialog last took the file now chosen as the original:
  // it offers only its folder.
  window->host().remember(kOpenModified, romPath);
  answer(kOpenOriginal, rom);
  answer(kOpenModified, rom);
  action("mnuCreatePatch")->trigger();
  EXPECT_EQ(dialogs->offered.value(1), QString::fromStdString(dir.path()) + "/");
  ASSERT_EQ(dialogs->warnings.size(), 1);
  EXPECT_TRUE(dialogs->warnings[0].contains("are the same file"))
      << dialogs->warnings[0].toStdString();
  EXPECT_FALSE(dir.exists("sample.bps"));
  expectIdle();
}

TEST_F(PatchMenuTest, ApplyNamesTheRomWhenThePatchIsForAnotherFile) {
  const std::string rom = copySample("sample.nes");
  const std::string other = dir.write("other.nes", Slurp(rom) + "more");
  const std::string patch = dir.write("fix.bps", CreatePatch(PatchKind::Bps, Slurp(rom), "ABC"));
  answer(Dialog::OpenNES, other);
  answer(kOpenPatch, patch);
  action("mnuApplyPatch")->trigger();
  ASSERT_EQ(dialogs->errors.size(), 1);
  const QString error = dialogs->errors[0];
  EXPECT_TRUE(error.startsWith("Apply Patch stopped: This BPS patch is for a file of"))
      << error.toStdString();
  EXPECT_TRUE(error.endsWith("The file at fault: " + QString::fromStdString(other)))
      << error.toStdString();
  EXPECT_FALSE(dir.exists("other_Patched.nes"));
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
