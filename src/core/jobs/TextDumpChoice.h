// The dump job of the registry: a text dump that writes a script ready to
// insert goes to the script dump, every other dump to the dump driver.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult DumpOrScriptJob(const Settings& settings, JobHost& host);

}  // namespace morvane
