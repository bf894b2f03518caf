// morvane: the command line with a job word; without one it starts the window
// program beside it, so that running a job never loads Qt.
#include <malloc.h>

#include <cstring>

#include "app/StartWindow.h"
#include "cli/Cli.h"
#include "jobs/JobRegistry.h"

namespace {
bool IsJobWord(const char* arg) {
  return morvane::FindJob(arg) != nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  // A job's working tables (a few hundred KiB each) stay in the heap when
  // freed and serve the next ones, instead of each being mapped afresh and
  // paid for page by page; large buffers are still mapped and returned.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  mallopt(M_TRIM_THRESHOLD, 8 << 20);
  // A job word anywhere, or a first word that is not an option, means the
  // command line; options alone (such as Qt's -platform) go to the window.
  bool jobWord = argc > 1 && argv[1][0] != '-';
  for (int i = 1; i < argc; ++i) jobWord = jobWord || IsJobWord(argv[i]);
  const bool help =
      argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
  if (jobWord || help) return morvane::RunCli(argc, argv);
  return morvane::StartWindow(argc, argv);
}
