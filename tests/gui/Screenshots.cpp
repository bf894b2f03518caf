// Writes pictures of the main window, idle and busy, and of the Tiles window
// with the sample's font under its table, for the README:
//   xvfb-run -s "-screen 0 1024x768x24" gui_screenshots docs/
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "gui/FrmMorvane.h"
#include "gui/FrmTiles.h"

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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("."));
  morvane::FrmMorvane window([] { return 1; });
  window.show();
  bool ok = Shoot(window, out.filePath("window-idle.png"));
  window.Enable_Controls(false);
  ok = Shoot(window, out.filePath("window-busy.png")) && ok;
  window.Enable_Controls(true);
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
  // The help windows, for a look at their layout.
  if (argc > 2) {
    window.mnuHowTo_Click();
    ok = Shoot(*window.howTo(), out.filePath("help-howto.png")) && ok;
    window.mnuAbout_Click();
    ok = Shoot(*window.about(), out.filePath("help-about.png")) && ok;
    window.mnuLicense_Click();
    ok = Shoot(*window.license(), out.filePath("help-license.png")) && ok;
  }
  return ok ? 0 : 1;
}
