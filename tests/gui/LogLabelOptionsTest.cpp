// The code/data log and label options in the window: the "Logs, Labels..."
// button of the 8-bit Code dump, and the options Tools > "Export as ca65
// Project..." asks for before it exports.
#include <QComboBox>
#include <QListWidget>

#include "JobFixture.h"

namespace morvane {
namespace {

class LogLabelOptionsTest : public JobTest {
 protected:
  const std::string rom = copySample("sample.nes");
  const std::string ops = copySample("Op_Codes_NES.txt");
};

TEST_F(LogLabelOptionsTest, TheTracedDumpTakesTheLabelsChosenBesideTrace) {
  click(option("opFeatures", 4));
  click(check("chkTrace"));
  const std::string labels = dir.write("mine.mlb", "P:0000:Start:where it begins\n");
  answer(kOpenLabelFile, labels);
  click(button("cmdLogLabels"));
  ASSERT_NE(window->traceOptions(), nullptr);
  ASSERT_TRUE(window->traceOptions()->isVisible());
  button("cmdAddLabels")->click();
  find<QComboBox>("cboWriteLabels")->setCurrentIndex(1);
  window->traceOptions()->accept();
  looks.clear();  // the label file's dialog came while no job ran
  EXPECT_EQ(window->traceChoices(), (LogLabelChoices{{"labels", labels}, {"write-labels", "mlb"}}));
  EXPECT_EQ(button("cmdLogLabels")->toolTip().toStdString(),
            "Code/data log and label files: --labels " + labels + " --write-labels mlb");

  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTXT, ops);
  click(button("cmdDump"));
  expectRanCleanly();
  const std::string listing = Slurp(dir.file("sample.asm.txt"));
  EXPECT_NE(listing.find("\r\nStart:\t"), std::string::npos) << listing.substr(0, 1500);
  EXPECT_NE(listing.find(" ; where it begins\r\n"), std::string::npos);
  EXPECT_EQ(Slurp(dir.file("sample.mlb")).substr(0, 30), "P:0000:Start:where it begins\r\n");
}

TEST_F(LogLabelOptionsTest, TheExportAsksForItsLogAndLabelOptionsFirst) {
  window->findChild<QAction*>("mnuExportCa65")->trigger();
  ASSERT_NE(window->exportOptions(), nullptr);
  ASSERT_TRUE(window->exportOptions()->isVisible());
  EXPECT_FALSE(dir.exists("sample.s"));
  find<QComboBox>("cboWriteCdl")->setCurrentIndex(2);
  find<QComboBox>("cboWriteLabels")->setCurrentIndex(2);
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenTXT, ops);
  window->exportOptions()->accept();
  expectRanCleanly();
  for (const char* written : {"sample.s", "sample.cfg", "sample.chr", "sample.cdl",
                              "sample.nes.ram.nl", "sample.nes.0.nl"}) {
    EXPECT_TRUE(dir.exists(written)) << written;
  }
  EXPECT_EQ(Slurp(dir.file("sample.cdl")).substr(0, 5), "CDLv2");  // Mesen's
  // Cancel exports nothing; the choices stay for the next time.
  window->findChild<QAction*>("mnuExportCa65")->trigger();
  EXPECT_EQ(find<QComboBox>("cboWriteCdl")->currentIndex(), 2);
  window->exportOptions()->reject();
  expectIdle();
}

}  // namespace
}  // namespace morvane
