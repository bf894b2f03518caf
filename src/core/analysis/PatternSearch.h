// The relative search with options beyond the classic word (SearchOptions.h):
// the same job, its report naming each hit's relation and a draft table for
// each distinct relation.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// Reads the word from settings.searchText (or the numbers of --values) and
// the options from settings.options.
JobResult PatternSearchJob(const Settings& settings, JobHost& host);

}  // namespace morvane
