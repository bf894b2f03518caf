#include "analysis/SearchWord.h"

#include <algorithm>

#include "analysis/KanaTables.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

struct Normalised {
  std::string word;
  std::size_t letters = 0;  // where the letters start in word
  bool lowerCase = false;
  bool kana = false;
  bool shiftJis = false;
  bool katakana = false;
};

Normalised Normalise(std::string_view typed) {
  Normalised n;
  const std::string text(typed);
  n.lowerCase = text == LowerCase(text);
  std::string prefix;
  if (text.starts_with("js")) {
    prefix = "js";
  } else if (text.starts_with("j")) {
    prefix = "j";
  }
  n.kana = !prefix.empty();
  n.shiftJis = prefix == "js";
  const std::string rest = text.substr(prefix.size());
  n.katakana = rest == UpperCase(rest);
  n.word = prefix;
  for (char c : UpperCase(rest)) {
    if (c >= 'A' && c <= 'Z') n.word.push_back(c);
  }
  n.letters = prefix.size();
  return n;
}

}  // namespace

// Letters gather into a syllable until it names a kana; more than three
// letters without one end the parse.
std::vector<int> ParseRomaji(std::string_view letters) {
  const KanaTables& kana = InitKanaTables();
  std::vector<int> codes;
  std::string pending;
  for (char c : letters) {
    pending.push_back(c);
    if (pending.size() > 3) break;
    for (int k = 0; k < kKanaCount; ++k) {
      if (UpperCase(kana.names[k]) == pending) {
        codes.push_back(k);
        pending.clear();
        break;
      }
    }
  }
  if (!pending.empty()) {
    throw JobError::Minor("Japanese Error", pending + " is not a japanese character.");
  }
  return codes;
}

SearchWord ReadSearchWord(std::string_view typed) {
  const Normalised n = Normalise(typed);
  SearchWord w;
  w.word = n.word;
  w.boxText = SearchBoxText(typed);
  w.lowerCase = n.lowerCase;
  w.kana = n.kana;
  w.shiftJis = n.shiftJis;
  w.katakana = n.katakana;
  const std::string_view letters = std::string_view(n.word).substr(n.letters);
  if (n.kana) {
    w.codes = ParseRomaji(letters);
  } else {
    w.codes.assign(letters.begin(), letters.end());
  }
  const auto length = static_cast<int>(w.codes.size());
  // Letters beyond A to Z (Ä, é, kana typed as kana) are not searched; a
  // count that leaves them out would only puzzle.
  const bool foreign = std::any_of(typed.begin(), typed.end(),
                                   [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (foreign && (length < kMinSearchLength || length > kMaxSearchLength)) {
    throw JobError::Minor("String Length Error",
                          "Search string " + std::string(typed) +
                              " holds letters other than A to Z, which a relative search can't "
                              "take.\r\nType 2 to 16 letters A to Z, or kana in romaji after "
                              "j or js.");
  }
  if (length < kMinSearchLength || length > kMaxSearchLength) {
    throw JobError::Minor("String Length Error",
                          "Search string of " + std::to_string(length) +
                              " characters is a bad length.\r\nPick one that is between 2 and "
                              "16 characters.");
  }
  return w;
}

std::string SearchBoxText(std::string_view typed) {
  const Normalised n = Normalise(typed);
  return !n.kana && !n.lowerCase ? n.word : std::string(typed);
}

}  // namespace morvane
