// A custom character order for the relative search: a text file with one
// character (or byte string) a line, in the order of the game's codes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

struct CharOrder {
  std::string path;
  // Entry k is the text of code base + k; an empty line keeps its code but
  // names no character.
  std::vector<std::string> entries;
};

// The bundled orders, by the names --order takes.
inline constexpr const char* kBundledOrders[] = {"hiragana-gojuon", "katakana-gojuon",
                                                 "hiragana-iroha", "katakana-iroha"};

// The file an --order value names: the value itself when it is a file, else
// the bundled order of that name (data/orders/<name>.txt), else the value as
// given (reading it then fails naming it).
std::string OrderPath(const std::string& value);

// Reads an order file: lines as bytes (a UTF-8 byte-order mark dropped), at
// most maxEntries of them. Throws JobError when the file can't be read and
// JobError::Minor ("Order Error") when it names no character or too many codes.
CharOrder ReadCharOrder(const std::string& path, std::size_t maxEntries);

// The code indices of text, each character the longest entry that starts
// there (the first line of equal entries); with wildcard, "*" is any character
// and gives -1. Throws JobError::Minor ("Order Error") naming the
// text that no entry matches.
std::vector<int> ReadOrderWord(const CharOrder& order, std::string_view text, bool wildcard);

}  // namespace morvane
