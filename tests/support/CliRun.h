// Runs the real morvane executable as a script or build pipeline would.
#pragma once

#include <string>

#include "TempDir.h"

namespace morvane {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// morvane with args (a shell command line); stderr passes through a file in dir.
CliRun Morvane(const std::string& args, const TempDir& dir);

}  // namespace morvane
