// A character table being built by hand: byte texts typed over their tiles,
// the end-of-phrase and new-line bytes, saved as a .tbl and read back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/CharTable.h"

namespace morvane {

class TableMaker {
 public:
  TableMaker() = default;
  // Continues table (as read from a .tbl).
  explicit TableMaker(const CharTable& table);
  // Continues the table in the .tbl at path; throws JobError when it can't be read.
  static TableMaker Load(const std::string& path);

  // The table as a reader of the saved file would see it.
  const CharTable& table() const { return table_; }

  // Sets the text of byte; "" removes its entry. A text holding a carriage
  // return can't be saved as one line and is refused (false, nothing changed).
  bool setText(int byte, std::string_view text);
  // One character each to first, first + 1, ... (wrapping after FF); false,
  // and nothing changed, when any is refused.
  bool setRun(int first, const std::vector<std::string>& characters);
  // -1 for none.
  void setEndPhrase(int byte);
  void setNewLine(int byte);

  // The lines of the file: "/XX", "*XX", then "XX=text" by byte, then "XX width".
  std::vector<std::string> lines() const;
  // The file's bytes: those lines, each ending in CR LF.
  std::string fileText() const;
  // Writes the file; throws JobError when it can't.
  void save(const std::string& path) const;

 private:
  // Reads the lines back so markers and controls follow the file's rules.
  void reparse();

  CharTable table_;
};

// How a table's texts are written: UTF-8 when every text beyond ASCII is
// well-formed UTF-8, else Shift-JIS; Unknown when all of them are ASCII.
enum class TableEncoding { Unknown, Utf8, ShiftJis };
TableEncoding GuessEncoding(const CharTable& table);

// Byte value of the tile at index in a sheet: its place in its 256-tile page,
// moved by shift.
int TileByte(long long index, int shift);

}  // namespace morvane
