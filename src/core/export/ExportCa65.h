// Export as ca65 Project: the whole ROM as assembler source that rebuilds it
// byte for byte, with its ld65 configuration and CHR ROM, beside the ROM.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "export/Disassembly.h"
#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult ExportCa65Job(const Settings& settings, JobHost& host);

// The label files of format ("mlb" or "nl") for the model of the ROM at
// romPath: their paths beside it and their texts.
std::vector<std::pair<std::string, std::string>> LabelFiles(const Disassembly& d,
                                                            const std::string& romPath,
                                                            const std::string& format);

}  // namespace morvane
