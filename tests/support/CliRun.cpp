#include "CliRun.h"

#include <sys/wait.h>

#include <cstdio>

namespace morvane {

CliRun Morvane(const std::string& args, const TempDir& dir) {
  const std::string errFile = dir.file("stderr.txt");
  const std::string command = std::string(MORVANE_BINARY) + " " + args + " 2>" + errFile;
  CliRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.err = Slurp(errFile);
  return run;
}

}  // namespace morvane
