// Reading the Table List file: where the data tables lie and how each is laid out.
#include <algorithm>
#include <string_view>

#include "dump/TableList.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::string_view kTitle = "Error while Reading Table List File";
constexpr std::int32_t kLastStart = 0xFFFF;
constexpr std::int32_t kLastEnd = 0x10000;
constexpr int kMaxCount = 0x3FFF;
constexpr int kMaxWidth = 0x7FFF;
// Address and index offsets: the range the message names.
constexpr int kMaxOffset = 0x4000;

// The message is raised as a Minor error and shown by ReadTableList.
[[noreturn]] void Fail(const std::string& message) {
  throw JobError::Minor(std::string(kTitle), message);
}

// The value of (signed) hex text known to pass IsSignedHex. Eight digits or
// more are taken as a value beyond every range rather than as a marker value.
std::int32_t Value(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (text.size() - (negative ? 1 : 0) < 8) return HexToLong(text);
  return negative ? -0x7FFFFFFF : 0x7FFFFFFF;
}

bool StartsWith(std::string_view text, std::string_view head) {
  return text.substr(0, head.size()) == head;
}

// "pat" / "patr" alone or followed by exactly two characters.
bool PatternOption(const std::string& option, std::string_view word, TableListEntry& entry) {
  if (option == word) return true;
  if (option.size() != word.size() + 2 || !StartsWith(option, word)) return false;
  entry.OffChar = option[word.size()];
  entry.OnChar = option[word.size() + 1];
  return true;
}

TableListEntry& At(TableMap& map, std::int32_t address) {
  if (address < 0 || address >= static_cast<std::int32_t>(map.size())) {
    throw JobError(kErrSubscript);
  }
  return map[static_cast<std::size_t>(address)];
}

const std::string kBreak = "\r\n";

// An address past the top of memory, in plain words with its line.
JobError AddressTooHigh(const std::string& what, const std::string& line) {
  return {kErrSubscript,
          {},
          "The Table List line \"" + line + "\": " + what + " lies past the top of memory (FFFF)."};
}
const std::string kCountRule = " must be positive and less than 4000h.";
const std::string kOffsetRule = " must be between -4000h and 4000h.";

// A field taken only when it is of the required form (hex, or signed hex),
// and then only within low..high; outside, the failure names it.
void TakeField(const std::string& field, bool isSigned, int low, int high, const std::string& what,
               const std::string& rule, const std::string& line, std::int16_t& out) {
  if (!(isSigned ? IsSignedHex(field) : IsHex(field))) return;
  const std::int32_t v = Value(field);
  if (v < low || v > high) Fail(what + Hex(v) + rule + kBreak + line);
  out = static_cast<std::int16_t>(v);  // the ranges above all fit 16 bits
}

struct ListReader {
  std::int32_t dumpEnd;
  TableMap& map;
  NameTable& readNames;
  TableListResult result;
  std::int32_t prevStart = -1;
  std::int32_t prevEnd = -1;
  bool prevEndOpen = false;

  // One table line whose first field is hex; f holds the first four fields.
  void readTable(const std::string& line, const std::string (&f)[4], std::int32_t index);
  // Checks the order against the previous table, closes it and marks this one.
  TableListEntry& place(const std::string& line, const std::string (&f)[4], std::int32_t start);
  // Fields 9 and the Width: the option bits, split tables and their checks.
  void readOptions(TableListEntry& entry, const std::string& line, const std::string& width,
                   std::int32_t& index);
  void finish();
};

TableListEntry& ListReader::place(const std::string& line, const std::string (&f)[4],
                                  std::int32_t start) {
  if (prevStart >= start) {
    Fail("Previous Table's Start " + Hex(prevStart) + " is greater or equal to this Table Start " +
         Hex(start) + " on the line:" + kBreak + line);
  }
  // Only an open end (a table without End) yields to the next table; an End
  // that happens to equal the dump's End is as binding as any other.
  if (!(prevEnd < start || prevEndOpen)) {
    Fail("Previous Table's End " + Hex(prevEnd) + " is greater or equal to this Table Start " +
         Hex(start) + " on the line:" + kBreak + line);
  }
  if (prevEnd > 0) {
    if (prevEndOpen) prevEnd = start;
    SpreadTable(prevStart, prevEnd, map, readNames);
  }
  TableListEntry& entry = At(map, start);
  if (entry.Options & (kTableStart | kTableEnd)) {
    Fail(Hex(start) + " set to start or stop before it should be." + kBreak +
         "Tell Quenby about this one...");
  }
  entry.Options = kTableStart;
  if (f[1].empty()) {
    prevEnd = dumpEnd;
    prevEndOpen = true;
    return entry;
  }
  const std::int32_t end = Value(f[1]);
  if (end > kLastEnd) throw AddressTooHigh("Table End " + Hex(end), line);
  if (end < start) {
    Fail("Table End " + Hex(end) + " is less than Table Start " + Hex(start) + ":" + kBreak + line);
  }
  At(map, end).Options |= kTableEnd;
  prevEnd = end;
  prevEndOpen = false;
  return entry;
}

void ListReader::readTable(const std::string& line, const std::string (&f)[4], std::int32_t index) {
  const std::int32_t start = Value(f[0]);
  if (start > kLastStart) throw AddressTooHigh("Table Start " + Hex(start), line);
  TableListEntry& entry = place(line, f, start);
  entry.Height = 0;
  if (!f[3].empty())
    TakeField(f[3], false, 0, kMaxCount, "Table Height ", kCountRule, line, entry.Height);
  TakeField(ExtractString(line, index), false, 0, kMaxCount, "Skip 1st Bytes ", kCountRule, line,
            entry.Skip1st);
  TakeField(ExtractString(line, index), false, 1, kMaxCount, "Skip Bytes ", kCountRule, line,
            entry.Skip);
  TakeField(ExtractString(line, index), true, -kMaxOffset, kMaxOffset, "Address Offset",
            kOffsetRule, line, entry.AddrOS);
  TakeField(ExtractString(line, index), true, -kMaxOffset, kMaxOffset, "Index Offset ", kOffsetRule,
            line, entry.IndexOS);
  readOptions(entry, line, f[2], index);
  const std::string title = ExtractString(line, index);
  if (!title.empty() && static_cast<std::size_t>(start) < readNames.size()) {
    readNames.set(static_cast<std::size_t>(start), title);
  }
  prevStart = start;
}

void ListReader::readOptions(TableListEntry& entry, const std::string& line,
                             const std::string& width, std::int32_t& index) {
  std::string option = LowerCase(ExtractString(line, index));
  if (!option.empty() && option.front() == 'r') {
    entry.Options |= kTableR;
    option.erase(0, 1);
  }
  const std::int32_t w = width.empty() ? 0 : Value(width);
  entry.Width = w >= 1 && w <= kMaxWidth ? w : 0;
  if (!width.empty() && (w == 2 || (w >= -0xFFFF && w <= 0))) {
    if (option == "tbl") entry.Options |= kTableTbl;
    if (option == "lbl") entry.Options |= kTableLbl;
    if (w != 2) {
      if (option == "txt") Fail("You can't have a split text table:" + kBreak + line);
      entry.SplitPartner = -w;
      entry.Width = 1;
    }
  }
  if (option == "txt") {
    if (w != 0 && w != 1) {
      Fail("Text tables must have a width " + std::to_string(w) + " of 0 or 1." + kBreak + line);
    }
    entry.Options |= kTableTxt;
    result.needsCharTable = true;
  } else if (PatternOption(option, "pat", entry)) {
    entry.Options |= kTablePat;
  } else if (PatternOption(option, "patr", entry)) {
    entry.Options |= kTablePatr;
  } else if (option == "chr") {
    entry.Options |= kTableChr;
    result.needsCharTable = true;
  }
  if (entry.Width == 0 && entry.Height == 0 && entry.Skip != 0 && option != "txt") {
    const std::string skip = std::to_string(entry.Skip);
    Fail("Using a SkipByte of " + skip +
         " when Width = 0 & Height = 0 won't do anything.:" + kBreak + line + kBreak +
         "Instead set try setting the Height to " + skip + " and the SkipByte to 0.");
  }
  if (!option.empty() && entry.Options == kTableStart) {
    Fail("Unknown table option '" + option + "' on line:" + kBreak + line);
  }
  if (entry.AddrOS != 0 && option != "lbl" && option != "tbl" &&
      (option == "chr" || option == "txt" || StartsWith(option, "pat") || w == 0)) {
    Fail("Sorry, the Adress Offset of " + std::to_string(entry.AddrOS) +
         " is only supported with the lbl option, tbl option, or raw data with a Width > 0." +
         kBreak + line);
  }
}

void ListReader::finish() {
  if (prevEndOpen) At(map, dumpEnd).Options |= kTableEnd;
  if (prevStart >= 0) SpreadTable(prevStart, prevEnd, map, readNames);
  result.ok = true;
}

}  // namespace

TableListResult ReadTableList(const std::string& path, std::int32_t dumpEnd, TableMap& map,
                              NameTable& readNames) {
  TextLines lines = TextLines::FromFile(path);
  ListReader reader{dumpEnd, map, readNames, {}};
  std::string line;
  try {
    while (lines.next(line)) {
      std::int32_t index = 0;
      std::string f[4];
      for (auto& field : f) field = ExtractString(line, index);
      if (f[0] == "END") break;
      if (!IsHex(f[0])) continue;
      if (!f[1].empty() && !IsHex(f[1])) continue;
      if (!f[2].empty() && !IsSignedHex(f[2])) continue;
      if (!f[3].empty() && !IsHex(f[3])) continue;
      reader.readTable(line, f, index);
    }
    reader.finish();
  } catch (const JobError& e) {
    if (e.kind() != JobError::Kind::Minor) throw;
    throw JobError::Minor(e.title(), e.message(), path);
  }
  return reader.result;
}

void SpreadTable(std::int32_t start, std::int32_t limit, TableMap& map, NameTable& readNames) {
  if (start < 0 || start >= static_cast<std::int32_t>(map.size())) return;
  const TableListEntry from = map[static_cast<std::size_t>(start)];
  const std::string name = static_cast<std::size_t>(start) < readNames.size()
                               ? readNames[static_cast<std::size_t>(start)]
                               : std::string();
  const auto last = std::min<std::int64_t>(limit, static_cast<std::int64_t>(map.size())) - 1;
  // Settings that are all the defaults need no page where there is none:
  // its addresses read as the defaults already.
  TableListEntry spread = from;
  spread.Options = static_cast<std::int16_t>(from.Options & ~(kTableStart | kTableEnd));
  spread.SplitPartner = TableListEntry{}.SplitPartner;
  const bool plain = spread == TableListEntry{};
  for (std::int64_t a = start + 1; a <= last; ++a) {
    if (!name.empty() && static_cast<std::size_t>(a) < readNames.size()) {
      readNames.set(static_cast<std::size_t>(a), name + "_" + Hex(a));
    }
    if (plain && !map.has(static_cast<std::size_t>(a))) continue;
    TableListEntry& to = map[static_cast<std::size_t>(a)];
    const std::int32_t ownPartner = to.SplitPartner;  // the one setting not spread
    to = spread;
    to.SplitPartner = ownPartner;
  }
}

}  // namespace morvane
