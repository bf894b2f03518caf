// Find Pointers: where a ROM points at the places given (file offsets), as
// "<rom> Pointers.txt" beside it.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult FindPointersJob(const Settings& settings, JobHost& host);

}  // namespace morvane
