// The scan of an extended relative search: a window of the pattern's bytes
// slides over the file one byte at a time; a window is a hit when the codes
// of each range keep the pattern's distances and its whole range fits the
// codes of its width (for numbers: the distances alone).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/InStream.h"
#include "analysis/SearchPattern.h"
#include "shell/JobHost.h"

namespace morvane {

inline constexpr std::int64_t kNoBase = INT64_MIN;

// What a hit proves: the code of each range's first entry (the stored value
// of the number 0 for numbers); kNoBase for a range the word does not use.
using Relation = std::array<std::int64_t, 2>;

class PatternScanner {
 public:
  using OnHit = std::function<void(const std::uint8_t* window, std::int64_t offset,
                                   const Relation& relation)>;

  // lastMatch is the text the progress status shows after the offset.
  PatternScanner(const SearchPattern& pattern, JobHost& host, const std::string& lastMatch);

  // Scans from file offset start to the end of the file, or until Cancel is
  // seen at one of the 2048-byte steps, calling onHit for every hit. Throws
  // JobError (input past end of file) when the file ends before the first
  // window is complete.
  void run(InStream& in, std::int64_t start, const OnHit& onHit);

  // File offset of the next window when the scan stopped.
  std::int64_t offset() const { return offset_; }

 private:
  // One distance to test: the code at byte at minus the code at byte from.
  struct Test {
    std::size_t at, from;
    std::int64_t distance;
  };
  std::int64_t codeAt(const std::uint8_t* window, std::size_t byte) const;
  bool matches(const std::uint8_t* window, Relation& relation) const;
  void scan(const std::uint8_t* bytes, std::int64_t count, const OnHit& onHit);

  const SearchPattern& pattern_;
  JobHost& host_;
  const std::string& lastMatch_;
  std::vector<Test> tests_;
  std::array<std::size_t, 2> anchor_{};  // byte of each range's first character
  std::array<std::int64_t, 2> anchorCode_{};
  std::array<bool, 2> used_{};
  // The first test on the low bytes alone, modulo 256: rules out most windows.
  std::size_t lowFrom_ = 0, lowAt_ = 0;
  std::uint8_t lowDistance_ = 0;
  std::int64_t offset_ = 0;
};

}  // namespace morvane
