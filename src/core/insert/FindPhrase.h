// Finding a phrase entry in a script: its header line, the phrases that share
// its text, and the first translated row after its source rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/InFile.h"

namespace morvane {

struct FoundPhrase {
  std::vector<std::int32_t> shared;  // further phrase numbers of the header line
  std::string firstRow;              // first translated row; empty when there is none
};

// Reads forward from the current line to the entry of phrase and past its
// source rows. step is set to the text that names the search for error
// reports. A script that ends before the entry is a run-time error.
FoundPhrase FindPhrase(TextLines& file, std::int64_t phrase, std::string& step);

// The next translated row; false at an empty row or at the end of the script.
bool NextTranslatedRow(TextLines& file, std::string& row);

}  // namespace morvane
