// Which form a job reads its character tables in: the classic form, or the
// standard form of the common dumpers and inserters (option "tbl-format").
#pragma once

#include <string>

#include "shell/JobHost.h"
#include "shell/JobSpec.h"
#include "shell/Settings.h"
#include "tables/CharTable.h"
#include "tables/StandardTable.h"

namespace morvane {

extern const OptionSpec kTableFormatOption;

bool ReadsStandardTables(const Settings& settings);

// The table at path, in the form the job was asked for. In the classic form
// a table that holds lines only the standard form reads gets a note on host.
StandardTable ReadJobTable(const std::string& path, const Settings& settings, JobHost& host);
// The same as a classic table: in the standard form its one-byte entries.
CharTable ReadJobCharTable(const std::string& path, const Settings& settings, JobHost& host);
CompareText ReadJobCompareTable(const std::string& path, const Settings& settings, JobHost& host);

// The note for a dump whose table names no end byte, so that no phrase ended.
std::string NoEndByteNote(const std::string& tablePath);

}  // namespace morvane
