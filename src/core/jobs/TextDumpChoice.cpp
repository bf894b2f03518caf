#include "jobs/TextDumpChoice.h"

#include "insert/ScriptDump.h"
#include "trace/TraceDump.h"

namespace morvane {

JobResult DumpOrScriptJob(const Settings& settings, JobHost& host) {
  return WritesReadyScript(settings) ? ScriptDumpJob(settings, host) : DumpJob(settings, host);
}

}  // namespace morvane
