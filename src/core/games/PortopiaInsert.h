// Portopia Text: writes a translated script into a copy of Portopia's ROM,
// string after string into the game's three fixed text areas.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult PortopiaInsertJob(const Settings& settings, JobHost& host);

}  // namespace morvane
