// The Dump / Disassemble job: the frame of every dump mode.
#pragma once

#include "dump/DumpContext.h"
#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// The dump as the settings ask for it, an 8-bit Code dump with the Table List
// the user chooses (or none); the dump job (trace/TraceDump.h) adds the trace.
JobResult PlainDumpJob(const Settings& settings, JobHost& host);
// The same with an 8-bit Code dump's Table List made by maker (written as
// Tables.txt) in place of one the user chooses.
// chooser, when given, sets the window once the ROM has been read.
JobResult DumpWithMadeList(const Settings& settings, JobHost& host, TableListMaker maker,
                           WindowChooser chooser = nullptr);

}  // namespace morvane
