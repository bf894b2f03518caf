// Character tables in the standard form the common dumpers and inserters
// read: keys of 1 to 4 bytes, end and new-line lines that carry a text,
// linked entries followed by raw bytes. Decoding takes the longest key at
// each place; encoding finds the shortest byte string for a row.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tables/CharTable.h"

namespace morvane {

inline constexpr std::size_t kMaxKeyBytes = 4;

enum class EntryKind : std::uint8_t { Text, End, NewLine, Linked };

struct TableEntry {
  std::string key;  // 1 to 4 bytes; empty for an end that has a text only
  std::string text;
  EntryKind kind = EntryKind::Text;
  int linked = 0;  // raw bytes that follow a linked entry's key
};

// One piece of an encoded row: entry (an index into entries()) or -1 for a
// raw byte written <$XX> or {XX}; where it stands in the row and how long it is.
struct RowToken {
  int entry = -1;
  std::size_t pos = 0;
  std::size_t length = 0;
  std::string bytes;
};

class StandardTable {
 public:
  const std::vector<TableEntry>& entries() const { return entries_; }
  // The entry whose key is the longest that starts bytes; nullptr when none.
  const TableEntry* match(std::string_view bytes) const;
  // The end-of-phrase and new-line entries; nullptr when the table has none.
  const TableEntry* end() const { return entryAt(end_); }
  const TableEntry* newLine() const { return entryAt(newLine_); }

  // The shortest token run that encodes row (ties to the lower key at the
  // first place two runs differ); false with badPos at the place where every
  // run stops when a character is missing from the table.
  bool encode(std::string_view row, std::vector<RowToken>& tokens, std::size_t& badPos) const;
  // The same, greedy: the longest text at each place (for comparison).
  bool encodeGreedy(std::string_view row, std::string& bytes) const;
  // A row as a dump wrote it, in pieces (by place in row, in order): marks
  // the pieces whose key the shortest encoding would not take there. With
  // those written as raw bytes the row encodes to the pieces' keys.
  struct Piece {
    std::size_t pos = 0;
    std::size_t length = 0;
    std::string key;
    bool departs = false;
  };
  void markDeparting(std::string_view row, std::vector<Piece>& pieces) const;

  // Adds or replaces the entry of its key (the end with a text only replaces
  // the end); an empty text removes a text entry.
  void set(TableEntry entry);
  // Glyph widths in pixels, of one-byte keys; 0 when not given.
  void setWidth(std::uint8_t byte, std::int16_t width) { widths_[byte] = width; }
  std::int16_t widthOf(const TableEntry& entry) const;
  // The one-byte entries as a classic table, for the jobs that read one.
  CharTable oneByteView() const;
  // A classic table read as standard entries: one-byte keys, the end and
  // new-line bytes without text.
  static StandardTable FromClassic(const CharTable& classic);

 private:
  struct Node {
    std::vector<std::pair<unsigned char, int>> next;  // sorted by character
    int entry = -1;                                   // the preferred entry whose text ends here
  };
  const TableEntry* entryAt(int index) const {
    return index < 0 ? nullptr : &entries_[static_cast<std::size_t>(index)];
  }
  void buildTrie() const;
  int child(int node, unsigned char c) const;
  bool better(int candidate, int current) const;

  std::vector<TableEntry> entries_;
  std::array<std::unordered_map<std::uint32_t, int>, kMaxKeyBytes> byKey_{};
  std::array<std::int16_t, 256> widths_{};
  std::array<std::uint8_t, 256> longest_{};  // the longest key that starts with each byte
  int end_ = -1;
  int newLine_ = -1;
  mutable std::vector<Node> trie_;
  mutable std::array<int, 256> root_{};  // the root's children, by character
};

// The raw byte written at pos as <$XX> or {XX}: its value, and the length of
// the form in length; -1 when none stands there.
int RawByteAt(std::string_view row, std::size_t pos, std::size_t& length);

// Reads a table in the standard form. A line it can't read is refused with
// JobError::Minor naming the file and the line.
StandardTable ReadStandardTable(const std::string& path);
StandardTable ParseStandardTable(std::string bytes, const std::string& name);

// The lines of a table that only the standard form reads: how many, and the
// first with its line number.
struct StandardOnlyLines {
  int count = 0;
  int firstLine = 0;
  std::string first;
};
StandardOnlyLines FindStandardOnlyLines(std::string bytes);

}  // namespace morvane
