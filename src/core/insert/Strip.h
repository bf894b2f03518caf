// The Strip Text button: a script reduced to its translated rows.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult StripJob(const Settings& settings, JobHost& host);

}  // namespace morvane
