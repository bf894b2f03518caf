// morvane-window: the Qt window, started by morvane when given no job word.
#include "gui/RunWindow.h"

int main(int argc, char** argv) {
  return morvane::RunWindow(argc, argv);
}
