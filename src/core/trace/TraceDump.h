// The Dump / Disassemble job with the trace: an 8-bit Code dump whose Table
// List is the one the trace finds, written as Tables.txt and used at once.
#pragma once

#include <cstdint>
#include <vector>

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// entries: CPU addresses traced besides the vectors. Other modes dump as
// they always do.
// findWindow: the window the dumped bank runs at is found from the ROM, the
// whole bank dumped, unless the settings hold a preset or range of their own.
JobResult DumpTraced(const Settings& settings, JobHost& host, std::vector<std::int32_t> entries,
                     bool findWindow = false);
// The dump job: traced when settings.trace is set, with the "entry" options
// as entry points; otherwise exactly the dump without the trace.
JobResult DumpJob(const Settings& settings, JobHost& host);

}  // namespace morvane
