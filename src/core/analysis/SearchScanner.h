// The scan of a relative search: a window of the word's length slides over
// the file, and every window whose bytes keep the word's distances is a hit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/InStream.h"
#include "analysis/SearchWord.h"
#include "shell/JobHost.h"
#include "shell/OutFile.h"

namespace morvane {

class SearchScanner {
 public:
  SearchScanner(const SearchWord& word, JobHost& host, OutFile& out);

  // Scans from file offset start to the end of the file, or until Cancel is
  // seen at one of the 2048-byte steps. Throws JobError (input past end of
  // file) when the file ends before the first window is complete.
  void run(InStream& in, std::int64_t start);

  // File offset of the next window when the scan stopped.
  std::int64_t offset() const { return offset_; }
  std::int64_t hits() const { return hits_; }
  const std::string& lastMatch() const { return lastMatch_; }

 private:
  bool matchesFrom(const std::uint8_t* window) const;
  void scan(const std::uint8_t* bytes, std::int64_t count);
  void onHit(const std::uint8_t* window, std::int64_t offset);
  void writeListing(int base);

  const SearchWord& word_;
  JobHost& host_;
  OutFile& out_;
  std::size_t n_;
  std::vector<int> difference_;  // slot i: code(i) - code(0); slot 0 unused
  std::int64_t offset_ = 0;
  std::int64_t hits_ = 0;
  std::string lastMatch_;
};

}  // namespace morvane
