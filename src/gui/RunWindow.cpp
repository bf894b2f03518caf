#include "gui/RunWindow.h"

#include <QApplication>
#include <QMainWindow>

namespace morvane {

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Morvane Pro by Quenby");
  window.show();
  return QApplication::exec();
}

}  // namespace morvane
