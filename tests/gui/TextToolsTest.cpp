// The translator's tools of the window: the table form kept between runs,
// a Text dump through the pointer table of the dialog, Verify and Find Pointers.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>

#include "JobFixture.h"
#include "gui/Preferences.h"

namespace morvane {
namespace {

class TextToolsTest : public JobTest {
 protected:
  void TearDown() override {
    Preferences::SetTableFormat("classic");
    JobTest::TearDown();
  }
  // Fills the next dialog's boxes (by name) and accepts it, once it shows.
  void fillNextDialog(std::map<QString, QString> boxes) {
    auto* timer = new QTimer(window.get());
    QObject::connect(timer, &QTimer::timeout, [timer, boxes] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(w);
        if (dialog == nullptr || !dialog->isVisible()) continue;
        for (const auto& [name, text] : boxes) {
          if (auto* edit = dialog->findChild<QLineEdit*>(name)) edit->setText(text);
          if (auto* input = qobject_cast<QInputDialog*>(dialog)) input->setTextValue(text);
        }
        dialog->accept();
        timer->deleteLater();
        return;
      }
    });
    timer->start(10);
  }
};

TEST_F(TextToolsTest, TableFormIsKept) {
  EXPECT_TRUE(find<QAction>("mnuTableFilesclassic")->isChecked());
  find<QAction>("mnuTableFilesstandard")->trigger();
  EXPECT_EQ(Preferences::TableFormat(), "standard");
  FrmMorvane again([] { return 0; });
  EXPECT_TRUE(again.findChild<QAction*>("mnuTableFilesstandard")->isChecked());
}

// The sample's four phrases through its pointer table at 804C: the script
// goes back unchanged, checked by Verify; Find Pointers finds that table.
TEST_F(TextToolsTest, PointerDumpVerifyAndFindPointers) {
  const std::string rom = copySample("sample.nes");
  const std::string tbl = copySample("sample.tbl");
  click(option("opFeatures", 1));
  fillNextDialog({{"txtPtrLow", "804C"}, {"txtPtrCount", "4"}});
  find<QAction>("mnuDumpPointers")->trigger();
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdDump"));
  expectRanCleanly();
  const std::string script = Slurp(dir.file("sample Text.txt"));
  EXPECT_NE(script.find("Ptrs\t804C\t804D\t-7FF0\t2\r\n"), std::string::npos) << script;

  find<QCheckBox>("chkVerify")->setChecked(true);
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenSJS, dir.file("sample Text.txt"));
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdInsert"));
  expectRanCleanly();
  EXPECT_TRUE(takeStatuses().contains("Verified: every phrase reads back"));
  EXPECT_EQ(Slurp(dir.file("sample_Modified.nes")), Slurp(rom));

  fillNextDialog({{"", "64"}});
  answer(Dialog::OpenNES, rom);
  find<QAction>("mnuFindPointers")->trigger();
  expectRanCleanly();
  EXPECT_NE(Slurp(dir.file("sample Pointers.txt")).find("--pointers 804C,804D,2"),
            std::string::npos);
}

}  // namespace
}  // namespace morvane
