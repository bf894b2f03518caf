// What an extended relative search looks for: a row of character slots, each
// a code in one of one or two ranges (the letters of a case, an order, the
// numbers) or any character, and what a hit's relation means.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/CharOrder.h"
#include "analysis/SearchOptions.h"

namespace morvane {

inline constexpr int kAnyChar = -1;

// The characters of one range, by code from the range's base: the text code
// base + k stands for (empty: none). Numbers have none: any base will do.
struct PatternRange {
  std::vector<std::string> entries;
};

struct SearchPattern {
  std::string word;  // as the report names it
  int width = 1;     // bytes a character
  bool bigEndian = false;
  bool numbers = false;            // --values: the relation is an offset, no draft
  std::vector<int> range;          // slot i: its range, or kAnyChar
  std::vector<std::int64_t> code;  // slot i: its code from the range's base
  std::vector<PatternRange> ranges;

  std::size_t slots() const { return range.size(); }
  std::size_t windowBytes() const { return range.size() * static_cast<std::size_t>(width); }
  std::int64_t maxCode() const { return width == 2 ? 0xFFFF : 0xFF; }
};

// Builds the pattern of the typed word (or of options.numbers) under the
// options; order is used with --order. Throws JobError::Minor: "Japanese
// Error" or "Order Error" for a word that does not read, "String Length
// Error" for fewer than 2 or more than 16 characters, or for a word in which
// no two characters of one range fix the relation.
SearchPattern BuildSearchPattern(std::string_view typed, const SearchOptions& options,
                                 const CharOrder& order);

// A code as its bytes in the file, in hex: "41", or "4100" for 41h little endian.
std::string CodeHex(const SearchPattern& pattern, std::int64_t code);

}  // namespace morvane
