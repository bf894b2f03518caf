// morvane: the window when started without a job word, the command line with one.
#include <cstring>
#include <iostream>

#include "cli/Cli.h"
#include "jobs/JobRegistry.h"

#ifdef MORVANE_WITH_GUI
#include "gui/RunWindow.h"
#endif

namespace {
bool IsJobWord(const char* arg) {
  return morvane::FindJob(arg) != nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  // A job word anywhere, or a first word that is not an option, means the
  // command line; options alone (such as Qt's -platform) go to the window.
  bool jobWord = argc > 1 && argv[1][0] != '-';
  for (int i = 1; i < argc; ++i) jobWord = jobWord || IsJobWord(argv[i]);
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
