// Writes pictures of the windows for the README: the main window idle and
// busy, the results panel after a dump of the sample, below the window and
// in its own, the viewer on that dump's listing, the Tiles window with the
// sample's font under its table, and the How To window with its contents:
//   xvfb-run -a -s "-screen 0 1024x768x24" gui_screenshots docs/
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <map>

#include "gui/FrmMorvane.h"
#include "gui/FrmTiles.h"
#include "jobs/JobRegistry.h"

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
}

bool Shoot(QWidget& window, const QString& path) {
  Settle();
  QPixmap picture = window.grab();
  if (!picture.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("wrote %s\n", qPrintable(path));
  return true;
}

// Answers each file dialog with one file of the copied sample.
class SampleDialogs final : public morvane::DialogHost {
 public:
  std::map<morvane::Dialog, QString> files;
  std::optional<QString> openFile(QWidget*, morvane::Dialog dialog, const QString&) override {
    const auto it = files.find(dialog);
    return it == files.end() ? std::nullopt : std::optional<QString>(it->second);
  }
  void errorBox(QWidget*, const QString& text) override { report(text); }
  void warningBox(QWidget*, const QString&, const QString& text) override { report(text); }
  void noticeBox(QWidget*, const QString&, const QString& text) override { report(text); }

 private:
  static void report(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

}  // namespace

int main(int argc, char** argv) {
  // Settings go to a private folder, not to the user's own.
  QTemporaryDir work;
  for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, work.path());
  }
  QApplication app(argc, argv);
  const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("."));
  morvane::FrmMorvane window([] { return 1; });
  window.show();
  bool ok = Shoot(window, out.filePath("window-idle.png"));
  window.Enable_Controls(false);
  ok = Shoot(window, out.filePath("window-busy.png")) && ok;
  window.Enable_Controls(true);

  // A dump of the sample with its Table List, then its listing in the viewer.
  auto dialogs = std::make_unique<SampleDialogs>();
  const std::pair<morvane::Dialog, const char*> copies[] = {
      {morvane::Dialog::OpenNES, MORVANE_SAMPLES_DIR "/sample.nes"},
      {morvane::Dialog::OpenTXT, MORVANE_SOURCE_DATA_DIR "/Op_Codes_NES.txt"},
      {morvane::Dialog::OpenTableTXT, MORVANE_SAMPLES_DIR "/sample_tables.txt"},
      {morvane::Dialog::OpenTBL, MORVANE_SAMPLES_DIR "/sample.tbl"}};
  for (const auto& [dialog, from] : copies) {
    const QString to = work.filePath(QFileInfo(from).fileName());
    ok = QFile::copy(from, to) && ok;
    dialogs->files[dialog] = to;
  }
  window.setDialogHost(std::move(dialogs));
  window.runJob(*morvane::FindJob("dump"));
  ok = Shoot(window, out.filePath("window-results.png")) && ok;
  morvane::FrmViewer* viewer = window.openViewer(work.filePath("sample.asm.txt"));
  viewer->resize(720, 520);
  ok = viewer->goToAddress("8049") && ok;
  ok = Shoot(*viewer, out.filePath("viewer-listing.png")) && ok;
  viewer->close();

  // The panel in its own window, after a traced dump as well.
  window.setResultsOwnWindow(true);
  window.findChild<QCheckBox*>("chkTrace")->click();
  window.runJob(*morvane::FindJob("dump"));
  window.resultsWindow()->resize(560, 360);
  ok = Shoot(*window.resultsWindow(), out.filePath("results-window.png")) && ok;
  window.setResultsOwnWindow(false);

  morvane::FrmTiles tiles;
  tiles.show();
  ok = tiles.openRom(MORVANE_SAMPLES_DIR "/sample.nes") && ok;
  ok = tiles.loadTable(MORVANE_SAMPLES_DIR "/sample.tbl") && ok;
  // From the row of the blank, so the font fills the view.
  tiles.view()->scrollBy(0x200);
  tiles.findChild<QSpinBox*>("spnZoom")->setValue(4);
  const std::size_t letterA = tiles.view()->origin() + 0x41 * 16;
  tiles.view()->select(letterA, letterA);
  tiles.resize(tiles.sizeHint().width(), 440);
  ok = Shoot(tiles, out.filePath("tiles-view.png")) && ok;

  window.mnuHowTo_Click();
  ok = Shoot(*window.howTo(), out.filePath("help-howto.png")) && ok;
  // The other help windows, for a look at their layout.
  if (argc > 2) {
    window.mnuAbout_Click();
    ok = Shoot(*window.about(), out.filePath("help-about.png")) && ok;
    window.mnuLicense_Click();
    ok = Shoot(*window.license(), out.filePath("help-license.png")) && ok;
  }
  window.close();
  return ok ? 0 : 1;
}
