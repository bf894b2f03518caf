#include "gui/RunWindow.h"

#include <QApplication>

#include "gui/FrmMorvane.h"
#include "shell/DataFiles.h"

namespace morvane {

int RunWindow(int argc, char** argv) {
  if (argc > 0) SetProgramPath(argv[0]);
  QApplication app(argc, argv);
  FrmMorvane window;
  window.show();
  return QApplication::exec();
}

}  // namespace morvane
