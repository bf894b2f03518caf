// What a file dropped on the window or written by a job is: which file
// dialogs it can answer, and whether the viewer can show it.
#pragma once

#include <QString>
#include <vector>

#include "shell/JobHost.h"

namespace morvane {

// The dialogs the file can answer, the likeliest first; empty when none.
// The extension decides, and for ".txt" files their first lines: a Table
// List header, a script's "Phrases" line, an Op_Codes file or a disk listing.
// Other extensions match the filters of the dialogs that the jobs declare.
std::vector<Dialog> DialogsFor(const QString& path);

// Every dialog the registry's jobs ask, each once, in the registry's order.
std::vector<Dialog> JobDialogs();

// Text the viewer shows: no NUL byte in the file's first 4 KiB.
bool IsTextFile(const QString& path);

}  // namespace morvane
