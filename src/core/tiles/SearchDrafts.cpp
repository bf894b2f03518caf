#include "tiles/SearchDrafts.h"

#include "shell/InFile.h"

namespace morvane {

namespace {

constexpr std::string_view kRule = "--------------------";

}  // namespace

std::vector<SearchDraft> ParseSearchDrafts(std::string report) {
  std::vector<SearchDraft> drafts;
  TextLines lines(std::move(report));
  std::string line, entries;
  bool inHit = false, afterRule = false;
  const auto finishHit = [&] {
    if (inHit) drafts.back().table = ParseTable(entries);
    entries.clear();
    inHit = false;
  };
  while (lines.next(line)) {
    if (line == kRule) {
      finishHit();
      afterRule = true;
      continue;
    }
    if (afterRule && line.find(" found @ ") != std::string::npos) {
      drafts.push_back({line, {}});
      inHit = true;
    } else if (inHit) {
      entries += line + "\r\n";
    }
    afterRule = false;
  }
  finishHit();  // a report that ends inside a hit (the search failed there)
  return drafts;
}

std::vector<SearchDraft> ReadSearchDrafts(const std::string& path) {
  return ParseSearchDrafts(ReadBinaryFile(path));
}

}  // namespace morvane
