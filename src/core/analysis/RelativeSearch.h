// The Relative Search job: finds a word in a ROM whose character encoding is
// unknown and drafts a character table for every hit.
#pragma once

#include <cstdint>

#include "analysis/SearchWord.h"
#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// Reads the word from settings.searchText; the window rewrites its search box
// with SearchBoxText (SearchWord.h) when the job returns.
JobResult SearchJob(const Settings& settings, JobHost& host);

// Title of the warning that refuses a report over a file the job reads.
extern const std::string kOutputTitle;

}  // namespace morvane
