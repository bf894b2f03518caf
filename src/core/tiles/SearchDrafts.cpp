#include "tiles/SearchDrafts.h"

#include <filesystem>

#include "shell/InFile.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::string_view kRule = "--------------------";
constexpr std::string_view kDraft = "; draft: ";

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
      drafts.push_back({line, {}, {}});
      inHit = true;
    } else if (inHit && line.starts_with("Relation: ") && line.find(kDraft) != std::string::npos) {
      drafts.back().draft = line.substr(line.find(kDraft) + kDraft.size());
    } else if (inHit) {
      entries += line + "\r\n";
    }
    afterRule = false;
  }
  finishHit();  // a report that ends inside a hit (the search failed there)
  return drafts;
}

std::vector<SearchDraft> ReadSearchDrafts(const std::string& path) {
  auto drafts = ParseSearchDrafts(ReadBinaryFile(path));
  for (SearchDraft& d : drafts) {
    const std::string table = FolderOf(path) + d.draft;
    // Only a file beside the report, as the search writes it.
    const bool beside = !d.draft.empty() && d.draft.find_first_of("/\\") == std::string::npos;
    std::error_code ec;
    if (beside && std::filesystem::is_regular_file(table, ec)) d.table = ReadTableFile(table);
  }
  return drafts;
}

}  // namespace morvane
