// Export as ca65 Project: the whole ROM as assembler source that rebuilds it
// byte for byte, with its ld65 configuration and CHR ROM, beside the ROM.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult ExportCa65Job(const Settings& settings, JobHost& host);

}  // namespace morvane
