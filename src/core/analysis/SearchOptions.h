// The options of a relative search beyond the classic word: wildcards, 16-bit
// characters, mixed case, runs of numbers and custom character orders.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/JobSpec.h"
#include "shell/Settings.h"

namespace morvane {

// A number of --values that stands for any value (with --wildcard).
inline constexpr long kAnyValue = -1;

struct SearchOptions {
  bool wildcard = false;      // "*" is any one character
  int width = 1;              // bytes a character
  bool bigEndian = false;     // of a 2-byte character
  bool mixedCase = false;     // upper and lower case, the gap between them unknown
  bool values = false;        // a run of numbers instead of a word
  std::string valuesText;     // as given, e.g. "120,150,200"
  std::vector<long> numbers;  // kAnyValue for "*"
  std::string order;          // --order as given: a file or a bundled order's name
};

// The window's dialog for an order file of one's own.
inline constexpr DialogSpec kOpenOrderSpec{"cdbOpenOrder", "Select Character Order File to Read",
                                           "Text Files|*.txt|All Files|*.*", ""};
inline constexpr Dialog kOpenOrder{kOpenOrderSpec};

// The search's own options, for the job registry.
const std::vector<OptionSpec>& SearchOptionSpecs();

// True when no option changes the search: it runs and reports as it always has.
bool IsClassicSearch(const JobOptions& options);

// Reads and checks the options. Throws JobError::Minor ("Search Options
// Error") for options that can't go together or numbers out of range.
SearchOptions ReadSearchOptions(const JobOptions& options);

// True for a comma-separated list of decimal numbers or "*".
bool IsValueList(std::string_view text);

}  // namespace morvane
