// The Dump / Disassemble job: the frame of every dump mode.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult cmdDump_Click(const Settings& settings, JobHost& host);

}  // namespace morvane
