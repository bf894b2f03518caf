// The names a listing gives its lines and the addresses outside the ROM: one
// store that the dump and the export fill, and the label files' writers read.
// It is the one place that decides which name an address gets: a label
// file's name, else the name the listing makes up; a name given twice is
// suffixed.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "labels/LabelSet.h"

namespace morvane {

// Where a file offset a label file names lies for a listing.
enum class LabelPlace : std::uint8_t {
  Outside,  // not listed: left out without a word
  Line,     // a line starts there: it takes the name
  Inside,   // inside an instruction: left out, noted
};

struct LabelStore {
  std::map<std::int64_t, std::string> labels;    // by file offset
  std::map<std::int64_t, std::string> comments;  // by file offset
  std::map<std::int32_t, std::string> ramNames;  // addresses outside the ROM
  std::map<std::int32_t, std::string> ramComments;
  std::vector<std::string> notes;  // what could not be done as asked

  // The name of the line at a file offset: the one it was given, else
  // fallback, which it keeps from then on.
  const std::string& name(std::int64_t at, const std::string& fallback);
  // Takes the names and comments of label files: those of the ROM where
  // place says, RAM names below 8000. fix makes a name one the listing can
  // use.
  void take(const LabelSet& set, const std::function<LabelPlace(std::int64_t)>& place,
            const std::function<std::string(const std::string&)>& fix);
  // Suffixes a name given a second time (_2, _3, ...), with a note.
  void unclash();
};

// The label files of a format ("mlb" or "nl") for the ROM at romPath: their
// paths and texts. cpuOf gives the CPU address of a file offset, -1 where
// none is known.
std::vector<std::pair<std::string, std::string>> LabelFiles(
    const LabelStore& store, const std::string& romPath, const std::string& format,
    std::int64_t prgOffset, const std::function<std::int64_t(std::int64_t)>& cpuOf);

}  // namespace morvane
