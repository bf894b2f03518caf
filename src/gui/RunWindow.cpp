#include "gui/RunWindow.h"

#include <QApplication>

#include "gui/FrmMorvane.h"

namespace morvane {

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  FrmMorvane window;
  window.show();
  return QApplication::exec();
}

}  // namespace morvane
