#include "analysis/SearchReport.h"

#include <algorithm>
#include <utility>

#include "analysis/RelativeSearch.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kRule = "--------------------";

// The first entry of a range that names a character.
std::size_t FirstNamed(const PatternRange& range) {
  std::size_t k = 0;
  while (k + 1 < range.entries.size() && range.entries[k].empty()) ++k;
  return k;
}

}  // namespace

SearchReport::SearchReport(const SearchPattern& pattern, JobHost& host, OutFile& out,
                           std::string stem)
    : pattern_(pattern), host_(host), out_(out), stem_(std::move(stem)) {}

std::string SearchReport::RelationText(const SearchPattern& p, const Relation& relation) {
  if (p.numbers) {
    const std::int64_t offset = relation[0];
    return std::string("stored = number ") + (offset < 0 ? "- " : "+ ") +
           std::to_string(offset < 0 ? -offset : offset);
  }
  std::string text;
  for (std::size_t r = 0; r < 2; ++r) {
    if (relation[r] == kNoBase) continue;
    const std::size_t k = FirstNamed(p.ranges[r]);
    if (!text.empty()) text += ", ";
    text += CodeHex(p, relation[r] + static_cast<std::int64_t>(k)) + "=" + p.ranges[r].entries[k];
  }
  if (relation[0] != kNoBase && relation[1] != kNoBase) {
    const auto size = [&](std::size_t r) {
      return static_cast<std::int64_t>(p.ranges[r].entries.size());
    };
    const std::int64_t gap = relation[1] > relation[0] ? relation[1] - relation[0] - size(0)
                                                       : relation[0] - relation[1] - size(1);
    text += " (gap " + std::to_string(gap) + ")";
  }
  return text;
}

std::string SearchReport::DraftText(const SearchPattern& p, const Relation& relation) {
  std::vector<std::pair<std::int64_t, const std::string*>> entries;
  for (std::size_t r = 0; r < 2; ++r) {
    if (relation[r] == kNoBase) continue;
    const auto& texts = p.ranges[r].entries;
    for (std::size_t k = 0; k < texts.size(); ++k) {
      if (!texts[k].empty()) {
        entries.emplace_back(relation[r] + static_cast<std::int64_t>(k), &texts[k]);
      }
    }
  }
  std::sort(entries.begin(), entries.end());
  std::string text;
  for (const auto& [code, entry] : entries) text += CodeHex(p, code) + "=" + *entry + "\r\n";
  return text;
}

std::string SearchReport::draftPath(std::size_t index) const {
  return stem_ + " Search " + std::to_string(index + 1) + ".tbl";
}

std::string SearchReport::relationLine(std::size_t index) const {
  std::string line = RelationText(pattern_, found_[index].relation);
  if (pattern_.numbers) return line;
  if (index < kMaxSearchDrafts) return line + "; draft: " + FileNameOf(draftPath(index));
  return line + "; no draft (more than " + std::to_string(kMaxSearchDrafts) + " relations)";
}

void SearchReport::hit(const std::uint8_t* window, std::int64_t offset, const Relation& relation) {
  ++hits_;
  const auto [entry, added] = index_.try_emplace(relation, found_.size());
  if (added) found_.push_back({relation, {}});
  found_[entry->second].hits.push_back(hits_);
  std::string line =
      std::to_string(hits_) + " " + pattern_.word + " found @ " + HexOffset(offset) + " = ";
  line.append(reinterpret_cast<const char*>(window), pattern_.windowBytes());
  line += " = ";
  for (std::size_t i = 0; i < pattern_.slots(); ++i) {
    if (i > 0) line += '_';
    for (int b = 0; b < pattern_.width; ++b) line += HexByte(window[i * pattern_.width + b]);
  }
  lastMatch_ = std::move(line);
  host_.setStatus("Searching " + Hex(offset) + ": " + lastMatch_);
  out_.line(lastMatch_);
  out_.line("Relation: " + relationLine(entry->second));
  out_.line(kRule);
}

void SearchReport::finish(JobRun& run, std::initializer_list<std::string> inputs) {
  for (std::size_t i = 0; i < found_.size() && !pattern_.numbers && i < kMaxSearchDrafts; ++i) {
    const std::string path = draftPath(i);
    run.file = path;
    RefuseOverwrite(kOutputTitle, path, inputs);
    OutFile draft(path);
    run.wrote(path);
    draft.write(DraftText(pattern_, found_[i].relation));
    draft.close();
  }
  run.file = out_.path();
  out_.line("Relations found: " + std::to_string(found_.size()));
  for (std::size_t i = 0; i < found_.size(); ++i) {
    std::string line = relationLine(i) + (found_[i].hits.size() == 1 ? "; hit" : "; hits");
    for (std::int64_t h : found_[i].hits) line += " " + std::to_string(h);
    out_.line(line);
  }
}

}  // namespace morvane
