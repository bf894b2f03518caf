// The draft character tables that a relative search report holds, one for
// each hit it wrote, ready to be continued in the table maker.
#pragma once

#include <string>
#include <vector>

#include "tables/CharTable.h"

namespace morvane {

struct SearchDraft {
  std::string match;  // the hit's match line, e.g. "1 THE found @ 01A2F = ..."
  CharTable table;    // its entry lines read as a table (the kana lines win over romaji)
  std::string draft;  // the draft table file a search with options names instead, if any
};

// The hits of a search report in their order; none when it holds no hit.
std::vector<SearchDraft> ParseSearchDrafts(std::string report);
// Throws JobError when the file can't be read. A hit that names a draft table
// file takes its table from that file beside the report, when it is there.
std::vector<SearchDraft> ReadSearchDrafts(const std::string& path);

}  // namespace morvane
