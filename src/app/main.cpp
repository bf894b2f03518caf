// morvane: the window when started without a job word, the command line with one.
#include <cstring>
#include <iostream>

#include "cli/Cli.h"

#ifdef MORVANE_WITH_GUI
#include "gui/RunWindow.h"
#endif

int main(int argc, char** argv) {
  const bool jobWord = argc > 1 && argv[1][0] != '-';
  const bool help =
      argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  if (jobWord || help) return morvane::RunCli(argc, argv);
#ifdef MORVANE_WITH_GUI
  return morvane::RunWindow(argc, argv);
#else
  std::cerr << "morvane: built without the window; run 'morvane --help' for the jobs\n";
  return 2;
#endif
}
