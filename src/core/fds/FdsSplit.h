// The Split FDS job: a disk image into its listing and one file per disk file.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult FdsSplitJob(const Settings& settings, JobHost& host);

}  // namespace morvane
