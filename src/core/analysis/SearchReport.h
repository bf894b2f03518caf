// The report of an extended relative search and its draft tables: each hit's
// match line with its relation, one draft table per distinct relation (hits
// with the same relation share it) and, at the end, the relations found.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "analysis/PatternScanner.h"
#include "analysis/SearchPattern.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"

namespace morvane {

// Drafts written at most; further relations are reported without one.
inline constexpr std::size_t kMaxSearchDrafts = 100;

class SearchReport {
 public:
  // Drafts are named stem + " Search N.tbl".
  SearchReport(const SearchPattern& pattern, JobHost& host, OutFile& out, std::string stem);

  void hit(const std::uint8_t* window, std::int64_t offset, const Relation& relation);
  // Writes the draft tables (never over one of inputs) and the summary.
  void finish(JobRun& run, std::initializer_list<std::string> inputs);

  std::int64_t hits() const { return hits_; }
  const std::string& lastMatch() const { return lastMatch_; }

  // The relation as the report states it: "41=A", "41=A, 61=a (gap 6)" or
  // "stored = number + 0".
  static std::string RelationText(const SearchPattern& pattern, const Relation& relation);
  // The draft table of a relation: the entries of every range in use, by code.
  static std::string DraftText(const SearchPattern& pattern, const Relation& relation);

 private:
  struct Found {
    Relation relation;
    std::vector<std::int64_t> hits;
  };
  std::string draftPath(std::size_t index) const;
  std::string relationLine(std::size_t index) const;

  const SearchPattern& pattern_;
  JobHost& host_;
  OutFile& out_;
  std::string stem_;
  std::vector<Found> found_;
  std::map<Relation, std::size_t> index_;
  std::int64_t hits_ = 0;
  std::string lastMatch_;
};

}  // namespace morvane
