// The Merge FDS job: a disk listing and its extracted files back into an image.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult FdsMergeJob(const Settings& settings, JobHost& host);

}  // namespace morvane
