#include "gui/RunWindow.h"

#include <QApplication>

#include "gui/FrmMorvane.h"
#include "shell/DataFiles.h"

namespace morvane {

int RunWindow(int argc, char** argv) {
  if (argc > 0) SetProgramPath(argv[0]);
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("Morvane");
  QCoreApplication::setApplicationName("morvane");
  FrmMorvane window;
  window.restoreSettings();
  window.show();
  const int status = QApplication::exec();
  window.saveSettings();
  return status;
}

}  // namespace morvane
