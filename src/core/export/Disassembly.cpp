#include "export/Disassembly.h"

#include "trace/Opcodes6502Table.h"
#include "shell/Values.h"
#include "trace/CodeDataLog.h"
#include "trace/Tracer.h"

namespace morvane {

bool IsSymbolName(const std::string& name) {
  if (name.empty() || name.size() > 200) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    if (!letter && !(i > 0 && c >= '0' && c <= '9')) return false;
  }
  // A register's or an instruction's name is no symbol's.
  std::string lower;
  for (const char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (lower.size() == 1)
    return lower != "a" && lower != "x" && lower != "y" && lower != "s" && lower != "z";
  for (int op = 0; op < 256; ++op) {
    if (Official6502(static_cast<std::uint8_t>(op)).mnemonic == lower) return false;
  }
  return true;
}

void LogMarksOf(const Disassembly& d, std::vector<std::uint8_t>& marks,
                std::vector<std::uint8_t>& slots) {
  const auto prg = static_cast<std::size_t>(d.header.prgBanks * kPrgBankSize);
  marks.assign(prg, 0);
  slots.assign(prg, 0);
  for (const RomUnit& unit : d.units) {
    for (std::int32_t i = 0; i < unit.size; ++i) {
      const std::int64_t at = unit.offset + i;
      const auto k = static_cast<std::size_t>(at - d.header.prgOffset);
      const std::uint8_t role = d.traced[static_cast<std::size_t>(at)];
      const bool code = role == kRoleOpcode || role == kRoleOperand;
      std::uint8_t m = code ? kLogCode : role == kRoleData || d.parts.contains(at) ? kLogData : 0;
      if (role == kRoleOpcode && d.labels.contains(at)) m |= kLogEntry;
      marks[k] = m;
      slots[k] = static_cast<std::uint8_t>(((unit.base + i) >> 13) & 3);
    }
  }
}

int Disassembly::unitAt(std::int64_t offset) const {
  for (std::size_t u = 0; u < units.size(); ++u) {
    const RomUnit& unit = units[u];
    if (offset >= unit.offset && offset < unit.offset + unit.size) return static_cast<int>(u);
  }
  return -1;
}

int Disassembly::unitFor(int from, std::int64_t a) const {
  if (from >= 0 && units[static_cast<std::size_t>(from)].covers(a)) return from;
  for (std::size_t u = 0; u < units.size(); ++u) {
    if (units[u].bank < 0 && units[u].covers(a)) return static_cast<int>(u);
  }
  return -1;
}

std::string Disassembly::operand(int from, std::int64_t a) const {
  const int u = unitFor(from, a);
  if (u < 0) {
    const auto ram = ramNames.find(static_cast<std::int32_t>(a));
    if (ram != ramNames.end()) return ram->second;
    return "$" + (a < 0x100 ? HexByte(a) : HexWord(a));
  }
  const RomUnit& unit = units[static_cast<std::size_t>(u)];
  std::int64_t at = unit.offset + (a - unit.base);
  std::int64_t start = at;
  while (start > unit.offset && !lineStart(start)) --start;
  const auto label = labels.find(start);
  if (label == labels.end()) return "$" + HexWord(a);
  return at == start ? label->second : label->second + "+" + std::to_string(at - start);
}

}  // namespace morvane
