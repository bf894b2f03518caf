#include "tables/CharTable.h"

#include <algorithm>

#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// The kinds of .tbl lines, tried in this order.
enum class LineKind { Entry, Width, Control, Other };

LineKind KindOf(std::string_view line) {
  if (line.size() >= 3 && IsHex(line.substr(0, 2))) {
    if (line[2] == '=') return LineKind::Entry;
    if (line[2] == ' ' && IsHex(line.substr(3))) return LineKind::Width;
  }
  if (line.size() >= 3 && (line[0] == '/' || line[0] == '*') &&
      IsHex(line.substr(line.size() - 2))) {
    return LineKind::Control;
  }
  return LineKind::Other;
}

// Lines of a table file. A UTF-8 byte-order mark, as editors put in front of
// UTF-8 files, is not part of the first line (it would hide its key).
TextLines TableLines(std::string bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  return TextLines(std::move(bytes));
}

int KeyOf(std::string_view line) {
  return HexToLong(line.substr(0, 2));
}
int ControlByteOf(std::string_view line) {
  return HexToLong(line.substr(line.size() - 2));
}

std::int16_t DecimalPrefix(std::string_view digits, int lineNumber) {
  long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > 32767) {
      throw JobError(kErrOverflow, {},
                     "Line " + std::to_string(lineNumber) +
                         " of the character table gives a glyph width above 32767.");
    }
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace

bool IsEndPhrase2Mark(std::string_view text) {
  return text == "\\/" || text == kDownArrowMarker || text == kShiftJisDownArrow;
}

CharTable ParseTable(std::string bytes) {
  CharTable table;
  TextLines lines = TableLines(std::move(bytes));
  std::string line;
  while (lines.next(line)) {
    switch (KindOf(line)) {
      case LineKind::Entry: {
        const int b = KeyOf(line);
        table.text[b] = line.substr(3);
        if (IsEndPhrase2Mark(table.text[b])) {
          table.endPhrase2Byte = b;
          table.endPhrase2Text = table.text[b];
        }
        if (table.text[b] == kNewPageText) table.newPageByte = b;
        break;
      }
      case LineKind::Width:
        table.glyphWidth[KeyOf(line)] =
            DecimalPrefix(std::string_view(line).substr(3), lines.lineNumber());
        break;
      case LineKind::Control:
        (line[0] == '/' ? table.endPhraseByte : table.newLineByte) = ControlByteOf(line);
        break;
      case LineKind::Other:
        break;
    }
  }
  return table;
}

CharTable ReadTableFile(const std::string& path) {
  return ParseTable(ReadBinaryFile(path));
}

CompareText ParseCompareTable(std::string bytes) {
  CompareText map;
  for (int b = 0; b < 256; ++b) map[b] = "{" + HexByte(b) + "}";
  TextLines lines = TableLines(std::move(bytes));
  std::string line;
  while (lines.next(line)) {
    const LineKind kind = KindOf(line);
    if (kind == LineKind::Entry) map[KeyOf(line)] = line.substr(3);
    if (kind == LineKind::Control) map[ControlByteOf(line)] = line.substr(0, 1);
  }
  return map;
}

CompareText ReadCompareTableFile(const std::string& path) {
  return ParseCompareTable(ReadBinaryFile(path));
}

EncodingList::EncodingList(const CharTable& table) {
  for (int b = 0; b < 256; ++b) {
    if (!table.text[b].empty()) pairs_.emplace_back(table.text[b], static_cast<std::uint8_t>(b));
  }
  // Longest text first; equal lengths keep ascending byte order. (Walking every
  // length down from the longest would take as long as the longest text.)
  std::stable_sort(pairs_.begin(), pairs_.end(),
                   [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
}

int EncodingList::match(std::string_view line, std::size_t pos, std::size_t& length) const {
  const std::string_view rest = line.substr(std::min(pos, line.size()));
  for (const auto& [text, byte] : pairs_) {
    if (rest.substr(0, text.size()) == text) {
      length = text.size();
      return byte;
    }
  }
  length = 0;
  return -1;
}

}  // namespace morvane
