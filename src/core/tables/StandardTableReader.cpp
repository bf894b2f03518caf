// Reading a table in the standard form: a table of line kinds, each with the
// test that sorts a line into it and the reading of its fields. A line that
// fits no kind, or a kind's fields that are wrong, is refused with its number.
#include <cctype>

#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"
#include "tables/StandardTable.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Table File Error";

struct LineError {
  std::string why;
};

// A key of hex digit pairs: 1 to 4 bytes.
std::string KeyBytes(std::string_view digits) {
  if (digits.empty() || !IsHex(digits) || digits[0] == '-') {
    throw LineError{"the key " + std::string(digits) + " is not hex digits"};
  }
  if (digits.size() % 2 != 0) {
    throw LineError{"the key " + std::string(digits) + " has an odd number of digits"};
  }
  if (digits.size() > 2 * kMaxKeyBytes) {
    throw LineError{"the key " + std::string(digits) + " is longer than 4 bytes"};
  }
  std::string key;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    key += static_cast<char>(HexToLong(digits.substr(i, 2)));
  }
  return key;
}

bool StartsHex(std::string_view line) {
  return !line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) != 0;
}

// "/FF", "/FF=<end>" or "/<end>"; "*FE" or "*FE=<br>".
TableEntry Control(std::string_view rest, EntryKind kind) {
  TableEntry e;
  e.kind = kind;
  const auto equals = rest.find('=');
  if (equals != std::string_view::npos && StartsHex(rest)) {
    e.key = KeyBytes(rest.substr(0, equals));
    e.text = std::string(rest.substr(equals + 1));
  } else if (IsHex(rest) && rest[0] != '-') {
    e.key = KeyBytes(rest);
  } else if (kind == EntryKind::End && !rest.empty()) {
    e.text = std::string(rest);
  } else {
    throw LineError{kind == EntryKind::End ? "an end line needs a byte or a text"
                                           : "a new-line line needs a byte"};
  }
  return e;
}

// "$XX=<label>,N": the label, then N raw bytes.
TableEntry Linked(std::string_view rest) {
  const auto equals = rest.find('=');
  const auto comma = rest.rfind(',');
  if (equals == std::string_view::npos || comma == std::string_view::npos || comma < equals) {
    throw LineError{"a linked entry is written $XX=<label>,N"};
  }
  TableEntry e;
  e.kind = EntryKind::Linked;
  e.key = KeyBytes(rest.substr(0, equals));
  e.text = std::string(rest.substr(equals + 1, comma - equals - 1));
  const std::string_view count = rest.substr(comma + 1);
  const bool digits = !count.empty() && count.size() <= 3 &&
                      count.find_first_not_of("0123456789") == std::string_view::npos;
  if (!digits || std::stoi(std::string(count)) > 255) {
    throw LineError{"the count " + std::string(count) + " of a linked entry is not 0 to 255"};
  }
  if (e.text.empty()) throw LineError{"a linked entry needs a label"};
  e.linked = std::stoi(std::string(count));
  return e;
}

// "41=A", "8140=..." or the glyph width "41 8" of a one-byte key.
bool ReadEntry(StandardTable& table, std::string_view line) {
  const auto equals = line.find('=');
  const auto blank = line.find(' ');
  if (equals != std::string_view::npos && (blank == std::string_view::npos || equals < blank)) {
    TableEntry e;
    e.key = KeyBytes(line.substr(0, equals));
    e.text = std::string(line.substr(equals + 1));
    table.set(std::move(e));
    return true;
  }
  if (blank == 2 && IsHex(line.substr(0, 2))) {
    const std::string_view width = line.substr(3);
    if (width.empty() || width.size() > 5 ||
        width.find_first_not_of("0123456789") != std::string_view::npos ||
        std::stol(std::string(width)) > 32767) {
      throw LineError{"a glyph width is a decimal number up to 32767"};
    }
    table.setWidth(static_cast<std::uint8_t>(HexToLong(line.substr(0, 2))),
                   static_cast<std::int16_t>(std::stol(std::string(width))));
    return true;
  }
  return false;
}

// One line; false when it fits no kind.
bool ReadLine(StandardTable& table, std::string_view line) {
  if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '@') return true;
  switch (line[0]) {
    case '/':
      table.set(Control(line.substr(1), EntryKind::End));
      return true;
    case '*':
      table.set(Control(line.substr(1), EntryKind::NewLine));
      return true;
    case '$':
      table.set(Linked(line.substr(1)));
      return true;
    default:
      return StartsHex(line) && ReadEntry(table, line);
  }
}

TextLines TableLines(std::string bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return TextLines(std::move(bytes));
}

// The line kinds of the classic reader (entry, width, control).
bool ClassicReads(std::string_view line) {
  if (line.size() >= 3 && IsHex(line.substr(0, 2))) {
    if (line[2] == '=') return true;
    if (line[2] == ' ' && IsHex(line.substr(3))) return true;
  }
  return line.size() >= 3 && (line[0] == '/' || line[0] == '*') &&
         IsHex(line.substr(line.size() - 2));
}

}  // namespace

StandardTable ParseStandardTable(std::string bytes, const std::string& name) {
  StandardTable table;
  TextLines lines = TableLines(std::move(bytes));
  std::string line;
  while (lines.next(line)) {
    std::string why;
    try {
      if (ReadLine(table, line)) continue;
      why = "this is not a line of a table";
    } catch (const LineError& e) {
      why = e.why;
    }
    throw JobError::Minor(
        kTitle, "Line " + std::to_string(lines.lineNumber()) + ": " + why + ":\r\n" + line, name);
  }
  return table;
}

StandardTable ReadStandardTable(const std::string& path) {
  return ParseStandardTable(ReadBinaryFile(path), path);
}

StandardOnlyLines FindStandardOnlyLines(std::string bytes) {
  StandardOnlyLines found;
  TextLines lines = TableLines(std::move(bytes));
  std::string line;
  while (lines.next(line)) {
    if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '@' || ClassicReads(line)) {
      continue;
    }
    StandardTable probe;
    try {
      if (!ReadLine(probe, line)) continue;
    } catch (const LineError&) {
      continue;
    }
    if (found.count++ == 0) {
      found.firstLine = lines.lineNumber();
      found.first = line;
    }
  }
  return found;
}

}  // namespace morvane
