#include "analysis/SearchPattern.h"

#include "analysis/KanaTables.h"
#include "analysis/SearchWord.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr int kLatinLetters = 26;

PatternRange Letters(char first) {
  PatternRange r;
  for (int k = 0; k < kLatinLetters; ++k) r.entries.emplace_back(1, static_cast<char>(first + k));
  return r;
}

void Add(SearchPattern& p, int range, std::int64_t code) {
  p.range.push_back(range);
  p.code.push_back(code);
}

// Capitals A-Z (a lower-case word lists lower case) or, with --mixed-case,
// each letter in its own case's range; "*" with --wildcard.
void ReadLatin(SearchPattern& p, std::string_view typed, const SearchOptions& o) {
  const std::string text(typed);
  const bool lower = text == LowerCase(text);
  for (char c : o.mixedCase ? text : UpperCase(text)) {
    if (c >= 'A' && c <= 'Z') {
      Add(p, 0, c - 'A');
    } else if (o.mixedCase && c >= 'a' && c <= 'z') {
      Add(p, 1, c - 'a');
    } else if (o.wildcard && c == '*') {
      Add(p, kAnyChar, 0);
    } else {
      continue;
    }
    p.word.push_back(c);
  }
  p.ranges.push_back(Letters(lower && !o.mixedCase ? 'a' : 'A'));
  if (o.mixedCase) p.ranges.push_back(Letters('a'));
}

// Romaji after "j" (UTF-8 kana) or "js" (Shift-JIS); capitals ask for katakana.
void ReadKana(SearchPattern& p, std::string_view typed, const SearchOptions& o) {
  const std::string prefix = typed.starts_with("js") ? "js" : "j";
  const std::string rest(typed.substr(prefix.size()));
  const bool katakana = rest == UpperCase(rest);
  const bool shiftJis = prefix == "js";
  p.word = prefix;
  std::string letters;
  const auto flush = [&] {
    for (int k : ParseRomaji(letters)) Add(p, 0, k);
    letters.clear();
  };
  for (char c : UpperCase(rest)) {
    if (c >= 'A' && c <= 'Z') {
      letters.push_back(c);
    } else if (o.wildcard && c == '*') {
      flush();
      Add(p, kAnyChar, 0);
    } else {
      continue;
    }
    p.word.push_back(c);
  }
  flush();
  PatternRange kana;
  for (int k = 0; k < kKanaCount; ++k) kana.entries.push_back(KanaBytes(k, shiftJis, katakana));
  p.ranges.push_back(std::move(kana));
}

void ReadOrder(SearchPattern& p, std::string_view typed, const SearchOptions& o,
               const CharOrder& order) {
  p.word = typed;
  for (int k : ReadOrderWord(order, typed, o.wildcard)) Add(p, k < 0 ? kAnyChar : 0, k);
  p.ranges.push_back({order.entries});
}

void ReadNumbers(SearchPattern& p, const SearchOptions& o) {
  p.word = o.valuesText;
  p.numbers = true;
  for (long n : o.numbers) Add(p, n == kAnyValue ? kAnyChar : 0, n);
  p.ranges.push_back({});
}

void CheckLength(const SearchPattern& p, const SearchOptions& o) {
  const auto n = static_cast<int>(p.slots());
  if (n < kMinSearchLength || n > kMaxSearchLength) {
    throw JobError::Minor("String Length Error",
                          "Search string of " + std::to_string(n) +
                              " characters is a bad length.\r\nPick one that is between 2 and "
                              "16 characters.");
  }
  // Each range's first character fixes its base; every further one is a test.
  std::vector<int> known(p.ranges.size(), 0);
  int tests = 0;
  for (int r : p.range) {
    if (r != kAnyChar && known[static_cast<std::size_t>(r)]++ > 0) ++tests;
  }
  if (tests == 0) {
    throw JobError::Minor("String Length Error",
                          "Search string " + p.word + " fixes no relation.\r\nPick at least two " +
                              (o.values ? "numbers" : "characters") + " besides *" +
                              (o.mixedCase ? ", two of them of one case." : "."));
  }
}

}  // namespace

SearchPattern BuildSearchPattern(std::string_view typed, const SearchOptions& options,
                                 const CharOrder& order) {
  SearchPattern p;
  p.width = options.width;
  p.bigEndian = options.bigEndian;
  if (options.values) {
    ReadNumbers(p, options);
  } else if (!options.order.empty()) {
    ReadOrder(p, typed, options, order);
  } else if (!options.mixedCase && typed.starts_with("j")) {
    ReadKana(p, typed, options);
  } else {
    ReadLatin(p, typed, options);
  }
  CheckLength(p, options);
  return p;
}

std::string CodeHex(const SearchPattern& pattern, std::int64_t code) {
  if (pattern.width == 1) return HexByte(code);
  const std::string high = HexByte(code >> 8), low = HexByte(code & 0xFF);
  return pattern.bigEndian ? high + low : low + high;
}

}  // namespace morvane
