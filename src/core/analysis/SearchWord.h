// The word of a relative search: how the typed text is read, and the codes
// whose distances the search looks for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct SearchWord {
  std::string word;        // as reported: prefix ("j", "js" or none) and the capitals A-Z
  std::string boxText;     // what the search box holds afterwards
  bool lowerCase = false;  // case base "a": the text was all lower case
  bool kana = false;
  bool shiftJis = false;
  bool katakana = false;   // the romaji were typed all in capitals
  std::vector<int> codes;  // letter codes 65-90, or kana indices 0-45
};

inline constexpr int kMinSearchLength = 2;
inline constexpr int kMaxSearchLength = 16;

// Reads the typed text: case base, prefix, katakana choice, normalised word
// and its codes. Throws JobError::Minor ("Japanese Error") for romaji that do
// not parse, and ("String Length Error") for a word of fewer than 2 or more
// than 16 codes.
SearchWord ReadSearchWord(std::string_view typed);

// The search box after a search has started: a Latin word typed with
// capitals is rewritten as its normalised word, any other text stays as typed.
// A job receives a snapshot of the window, so the window applies this itself.
std::string SearchBoxText(std::string_view typed);

// Romaji letters (capitals) to kana indices 0-45, as a kana word is read.
// Throws JobError::Minor ("Japanese Error") for letters that form no kana.
std::vector<int> ParseRomaji(std::string_view letters);

}  // namespace morvane
