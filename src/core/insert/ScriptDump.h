// The text dump that writes a script ready to insert as it stands: the
// header on top with the pointer table and the blocks filled in, and each
// phrase's text where its translation goes. Phrases are found through a
// table of pointers (option "pointers"), or one after another in the range.
#pragma once

#include "shell/JobHost.h"
#include "shell/JobSpec.h"
#include "shell/Settings.h"

namespace morvane {

JobResult ScriptDumpJob(const Settings& settings, JobHost& host);

// True for a dump that writes such a script: a text dump through a table of
// pointers, or one "as Text" through a table in the standard form.
bool WritesReadyScript(const Settings& settings);

extern const OptionSpec kPointersOption;
extern const OptionSpec kCountOption;
extern const OptionSpec kPointerBaseOption;

}  // namespace morvane
