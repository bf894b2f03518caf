// Create Patch... of the Tools menu: the patch that makes the modified file
// of the original, beside the modified file.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// Option "format": ips or bps (the default).
JobResult PatchCreateJob(const Settings& settings, JobHost& host);

}  // namespace morvane
