// Names and comments read from label files: by file offset for the PRG ROM,
// by CPU address for RAM and registers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "rom/INesHeader.h"

namespace morvane {

struct LabelEntry {
  std::string name;  // may be empty: a comment only
  std::string comment;
};

struct LabelSet {
  std::map<std::int64_t, LabelEntry> rom;  // by file offset
  std::map<std::int32_t, LabelEntry> ram;  // by CPU address
};

// Reads the label file at path into set, by its extension: Mesen's .mlb,
// FCEUX's .nl (the bank from its name, "<rom>.nes.3.nl" or ".ram.nl"), or a
// ca65 debug file .dbg. Throws JobError::Minor naming the file and the line
// for a line that does not parse, or a file of another kind.
void ReadLabelFile(const std::string& path, const INesHeader& header, LabelSet& set);

// A name as ca65 takes it: characters it does not allow become _, and a
// leading digit gets a _ before it.
std::string SymbolFrom(const std::string& name);

// Throws the error of a line of a label file that does not parse.
[[noreturn]] void RejectLabelLine(const std::string& path, int line, const std::string& why,
                                  const std::string& text);

}  // namespace morvane
