// Reading the Op_Codes file: addressing modes, the 256 opcodes in byte order,
// and the read and write names of registers and variables.
#include <string_view>
#include <unordered_map>

#include "dump/Definitions.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

struct Keyword {
  std::string_view word;
  int flag;
};

// Option keywords of a mode line; each is found anywhere in the field.
constexpr Keyword kKeywords[] = {
    {"end", kFlagEnd},     {"space", kFlagSpace}, {"address", kFlagAddress},
    {"lbl", kFlagLbl},     {"tbl", kFlagTbl},     {"constant", kFlagConstant},
    {"vbl", kFlagVbl},     {"lcase", kFlagLCase}, {"read", kFlagRead},
    {"write", kFlagWrite}, {"pond", kFlagPoNd},   {"bad", kFlagBad},
};

constexpr int kOpcodeCount = 256;
constexpr std::int32_t kLastNameAddress = 0x10000;

// Which of the two name tables a name line fills.
enum NameTables { kRead = 1, kWrite = 2 };

void StoreName(OpcodeSet& set, std::int32_t address, const std::string& name, int tables) {
  if (address < 0 || address > kLastNameAddress) throw JobError(kErrSubscript);
  const auto slot = static_cast<std::size_t>(address);
  if (tables & kRead) set.ReadNames.set(slot, name);
  if (tables & kWrite) set.WriteNames.set(slot, name);
}

void ReadNameLine(const std::string& line, std::int32_t index, int tables, OpcodeSet& set) {
  const std::int32_t start = HexToLong(ExtractString(line, index));
  if (start < 0) return;
  const std::string endText = ExtractString(line, index);
  const std::int32_t end = endText.empty() ? start : HexToLong(endText);
  if (end < 0) return;
  const std::string name = ExtractString(line, index);
  if (end == start) {
    StoreName(set, start, name, tables);
    return;
  }
  const std::string offsetText = ExtractString(line, index);
  const std::int32_t offsetValue = HexToLong(offsetText);
  // An index offset of eight digits or more is as unusable as one that is not hex.
  const std::int64_t offset =
      !offsetText.empty() && offsetValue != -1 && offsetValue != -2 ? offsetValue - start : 0;
  for (std::int32_t a = start; a <= end; ++a) StoreName(set, a, name + Hex(a + offset), tables);
}

int OptionFlags(const std::string& field) {
  const std::string text = LowerCase(field);
  int flags = 0;
  for (const auto& k : kKeywords) {
    if (text.find(k.word) != std::string::npos) flags |= k.flag;
  }
  return flags;
}

OperandKind KindOf(const std::string& format) {
  if (format.find("rrrr") != std::string::npos) return OperandKind::Relative;
  if (format.find("wwuu") != std::string::npos) return OperandKind::Word;
  if (format.find("uu") != std::string::npos) return OperandKind::Byte;
  return OperandKind::None;
}

// A file the reader rejects: the message goes in the box's title, the file's
// path in its text.
[[noreturn]] void Reject(const std::string& path, const std::string& message) {
  throw JobError::Minor(message, path);
}

// The name lines, and which tables each fills.
struct NameLine {
  std::string_view kind;
  int tables;
};
constexpr NameLine kNameLines[] = {{"V", kRead | kWrite}, {"VR", kRead}, {"VW", kWrite}};

// The tables a line of this kind names into; 0 for a line that names nothing.
int NameTablesOf(std::string_view kind) {
  for (const NameLine& n : kNameLines) {
    if (n.kind == kind) return n.tables;
  }
  return 0;
}

}  // namespace

void ReadOpCodeNames(const std::string& path, OpcodeSet& set) {
  TextLines lines = TextLines::FromFile(path);
  std::string line;
  while (lines.next(line)) {
    std::int32_t index = 0;
    const int tables = NameTablesOf(ExtractString(line, index));
    if (tables != 0) ReadNameLine(line, index, tables, set);
  }
}

void ReadOpCodes(const std::string& path, OpcodeSet& set) {
  TextLines lines = TextLines::FromFile(path);
  // First slot of every mode name; the empty name is slot 0.
  std::unordered_map<std::string, int> modeSlots{{std::string(), 0}};
  int nextMode = 1;
  int nextOpcode = 0;
  std::string line;
  while (lines.next(line)) {
    std::int32_t index = 0;
    const std::string kind = ExtractString(line, index);
    if (kind == "A") {
      if (nextMode >= kModeSlots) {
        Reject(path, "More than " + std::to_string(kModeSlots - 1) +
                         " addressing modes in the Op_Codes file.");
      }
      modeSlots.emplace(ExtractString(line, index), nextMode);
      AddressingModeDef& mode = set.modes[static_cast<std::size_t>(nextMode)];
      mode.Format = ExtractString(line, index);
      mode.Operand = KindOf(mode.Format);
      mode.Flags = OptionFlags(ExtractString(line, index));
      ++nextMode;
    } else if (kind == "O") {
      if (nextOpcode >= kOpcodeCount) Reject(path, "More than 256 Op Codes in the Op_Codes file.");
      const std::string modeName = ExtractString(line, index);
      const auto found = modeSlots.find(modeName);
      if (found == modeSlots.end()) {
        Reject(path, "Op Code " + HexByte(nextOpcode, "0") + " type " + modeName +
                         " doesn't exist in the Op_Codes file.");
      }
      OpcodeDef& op = set.opcodes[static_cast<std::size_t>(nextOpcode)];
      op.Mode = found->second;
      op.Mnemonic = ExtractString(line, index);
      op.Comment = ExtractString(line, index);
      ++nextOpcode;
    } else if (const int tables = NameTablesOf(kind); tables != 0) {
      ReadNameLine(line, index, tables, set);
    }
  }
  if (nextOpcode < kOpcodeCount) {
    Reject(path, "Not enough op codes in the Op_Codes file.\r\nNeed 256.  Have only " +
                     std::to_string(nextOpcode) + ".");
  }
}

}  // namespace morvane
