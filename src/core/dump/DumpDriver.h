// The Dump / Disassemble job: the frame of every dump mode.
#pragma once

#include "dump/DumpContext.h"
#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

JobResult cmdDump_Click(const Settings& settings, JobHost& host);
// The same with an 8-bit Code dump's Table List made by maker (written as
// Tables.txt) in place of one the user chooses.
JobResult DumpWithMadeList(const Settings& settings, JobHost& host, TableListMaker maker);

}  // namespace morvane
