// Romancia Graphics: rebuilds Romancia's two tile banks from an edited tile
// sheet bitmap and writes them, compressed, into a copy of the ROM.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult RomanciaGraphicsJob(const Settings& settings, JobHost& host);

}  // namespace morvane
