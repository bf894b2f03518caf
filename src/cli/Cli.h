// morvane <job> [options]: the jobs of the window, headless.
#pragma once

#include <vector>

#include "shell/JobSpec.h"

namespace morvane {

// Exit status: 0 done, 1 after a job error box, 2 after a warning box or a
// usage error, 3 when cancelled.
int RunCli(int argc, char** argv);
// The same over the given jobs instead of the registry's.
int RunCli(int argc, char** argv, const std::vector<JobSpec>& jobs);

}  // namespace morvane
