// The Relative Search job: finds a word in a ROM whose character encoding is
// unknown and drafts a character table for every hit.
#pragma once

#include <cstdint>

#include "analysis/SearchWord.h"
#include "shell/JobFrame.h"
#include "shell/JobHost.h"
#include "shell/OutFile.h"
#include "shell/Settings.h"

namespace morvane {

// Reads the word from settings.searchText; the window rewrites its search box
// with SearchBoxText (SearchWord.h) when the job returns.
JobResult SearchJob(const Settings& settings, JobHost& host);

// Ends a search report: "CANCELED at" where the scan stopped when Cancel was
// pressed (the report is then kept beside the last whole one), else the
// status of the last hit or of none; closes out.
void EndSearchReport(JobRun& run, OutFile& out, std::int64_t stoppedAt, std::int64_t hits,
                     const std::string& lastMatch, const std::string& word);

// Title of the warning that refuses a report over a file the job reads.
extern const std::string kOutputTitle;

}  // namespace morvane
