// The Compare Two Files job: lists every byte position at which two files
// differ, optionally decoded through a character table for each file.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// Show Strings is read live through host.showStrings(); settings gives the
// block where the comparison starts.
JobResult CompareJob(const Settings& settings, JobHost& host);

}  // namespace morvane
