// The Text button of the Insert frame: a translated script into a copy of a ROM.
#pragma once

#include "shell/JobHost.h"
#include "shell/JobSpec.h"
#include "shell/OutputGuard.h"
#include "shell/Settings.h"

namespace morvane {

JobResult InsertJob(const Settings& settings, JobHost& host);

// Option "verify": the inserted phrases are read back and compared with the script.
extern const OptionSpec kVerifyOption;

}  // namespace morvane
