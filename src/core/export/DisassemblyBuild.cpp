// Building the model: the units a ROM is laid out in, each traced, its
// instructions decoded and the addresses they and the tables name labelled.
#include <set>

#include "export/Ca65Lines.h"
#include "export/Disassembly.h"
#include "export/DisassemblyBuilder.h"
#include "export/Opcodes6502Table.h"
#include "shell/JobError.h"
#include "shell/Values.h"
#include "trace/Opcodes6502.h"
#include "trace/RomTrace.h"
#include "trace/TraceCode.h"
#include "trace/Tracer.h"

namespace morvane {

namespace {

constexpr std::int32_t kBank = static_cast<std::int32_t>(kPrgBankSize);

// Mappers that switch the whole 8000-FFFF window at once.
bool SwitchesAll32K(int mapper) {
  for (const int m : {7, 11, 34, 38, 66, 79, 86, 113, 140, 144, 241}) {
    if (m == mapper) return true;
  }
  return false;
}

std::string BankPrefix(int bank) {
  const std::string n = std::to_string(bank);
  return "b" + std::string(n.size() < 2 ? 2 - n.size() : 0, '0') + n + "_";
}

// The units of the PRG ROM the file holds: all of it at once when it fits the
// window, 32 KiB banks for a mapper that switches them, else 16 KiB banks at
// 8000 with the last one fixed at C000.
std::vector<RomUnit> UnitsOf(const INesHeader& h, std::int64_t have) {
  std::vector<RomUnit> units;
  const std::int64_t size = static_cast<std::int64_t>(h.prgBanks) * kBank;
  if (have <= 0) return units;
  if (size <= 2 * kBank) {
    units.push_back(
        {h.prgOffset, static_cast<std::int32_t>(have), size > kBank ? 0x8000 : 0xC000, -1, ""});
    return units;
  }
  const std::int32_t step = SwitchesAll32K(h.mapper) ? 2 * kBank : kBank;
  for (std::int64_t at = 0; at < have; at += step) {
    const auto part = static_cast<std::int32_t>(std::min<std::int64_t>(step, have - at));
    const int bank = static_cast<int>(at / step);
    const bool fixed = step == kBank && at + kBank == size;
    units.push_back({h.prgOffset + at, part, fixed ? 0xC000 : 0x8000, fixed ? -1 : bank,
                     fixed ? "" : BankPrefix(bank)});
  }
  return units;
}

}  // namespace

void DisassemblyBuilder::trace(const std::array<OpcodeShape, 256>& shapes) {
  // The whole ROM traced once: what enters each bank from the others.
  const RomTrace whole = TraceWholeRom(d_.rom, shapes);
  const std::int64_t prg = ReadINesHeader(d_.rom).prgOffset;
  for (std::size_t u = 0; u < d_.units.size(); ++u) {
    const RomUnit& unit = d_.units[u];
    const std::int64_t at = unit.offset - prg;
    const std::int64_t bank = at % kBank == 0 ? at / kBank : -1;
    const TracedBlock block = TraceBlock({d_.rom,
                                          unit.base - unit.offset,
                                          unit.base,
                                          unit.base,
                                          unit.base + unit.size - 1,
                                          {},
                                          {},
                                          names_.logged,
                                          whole.into(bank, unit.base)},
                                         shapes);
    for (std::int32_t i = 0; i < unit.size; ++i) {
      d_.traced[static_cast<std::size_t>(unit.offset + i)] =
          block.role[static_cast<std::size_t>(unit.base + i)];
    }
    if (names_.tables != nullptr) tableList(unit);
    decode(static_cast<int>(u));
    halves(static_cast<int>(u));
    for (const TracedBlock::Table& t : block.tables) table(static_cast<int>(u), t);
  }
}

std::uint8_t DisassemblyBuilder::byte(std::int64_t at) const {
  return static_cast<std::uint8_t>(d_.rom[static_cast<std::size_t>(at)]);
}

void DisassemblyBuilder::decode(int u) {
  const RomUnit& unit = d_.units[static_cast<std::size_t>(u)];
  const std::int64_t end = unit.offset + unit.size;
  for (std::int64_t at = unit.offset; at < end; ++at) {
    if (d_.traced[static_cast<std::size_t>(at)] != kRoleOpcode) continue;
    const Instruction6502& in = Official6502(byte(at));
    const int length = LengthOf(in.mode);
    bool whole = in.mode != Mode::None && at + length <= end;
    for (int k = 1; whole && k < length; ++k) {
      whole = d_.traced[static_cast<std::size_t>(at + k)] == kRoleOperand;
    }
    if (!whole) {
      d_.asBytes[at] = InstructionText(d_, at, note(byte(at)));
      continue;
    }
    d_.kind[static_cast<std::size_t>(at)] = ByteKind::Opcode;
    for (int k = 1; k < length; ++k) d_.kind[static_cast<std::size_t>(at + k)] = ByteKind::Operand;
    const std::int32_t pc = unit.base + static_cast<std::int32_t>(at - unit.offset);
    const std::int32_t value = length == 3 ? byte(at + 1) | byte(at + 2) << 8 : byte(at + 1);
    if (in.mode == Mode::Rel) {
      refer(u, pc + 2 + static_cast<std::int8_t>(value), false);
    } else if (length == 3) {
      refer(u, value, in.mnemonic == "jsr" || in.mnemonic == "jmp");
    }
    at += length - 1;
    // The flow runs on into an opcode that is not official.
    const bool ends = in.mnemonic == "jmp" || in.mnemonic == "rts" || in.mnemonic == "rti" ||
                      in.mnemonic == "brk";
    if (!ends && at + 1 < end && Official6502(byte(at + 1)).mode == Mode::None &&
        d_.traced[static_cast<std::size_t>(at + 1)] != kRoleOperand) {
      d_.asBytes[at + 1] = InstructionText(d_, at + 1, note(byte(at + 1)));
    }
  }
}

std::string DisassemblyBuilder::note(std::uint8_t op) const {
  if (names_.ops == nullptr) return {};
  std::string text = names_.ops->opcodes[op].Comment;
  while (!text.empty() && (text.front() == ';' || text.front() == ' ')) text.erase(0, 1);
  return text;
}

void DisassemblyBuilder::halves(int u) {
  const RomUnit& unit = d_.units[static_cast<std::size_t>(u)];
  struct Immediate {
    std::int64_t at = -1;  // of the operand
    std::int32_t value = 0;
  };
  Immediate reg[3];  // A, X, Y
  std::map<std::int32_t, Immediate> stored;
  constexpr std::uint8_t kLoads[3] = {op6502::kLdaImm, op6502::kLdxImm, op6502::kLdyImm};
  constexpr std::uint8_t kStores[3][2] = {{op6502::kStaZp, op6502::kStaAbs},
                                          {op6502::kStxZp, op6502::kStxAbs},
                                          {op6502::kStyZp, op6502::kStyAbs}};
  for (std::int64_t at = unit.offset; at < unit.offset + unit.size; ++at) {
    if (d_.kind[static_cast<std::size_t>(at)] != ByteKind::Opcode) {
      if (d_.kind[static_cast<std::size_t>(at)] == ByteKind::Data) stored.clear();
      continue;
    }
    const std::uint8_t op = byte(at);
    const Instruction6502& in = Official6502(op);
    if (d_.labels.contains(at) || in.mode == Mode::Rel || in.mnemonic == "jmp" ||
        in.mnemonic == "jsr" || in.mnemonic == "rts" || in.mnemonic == "rti") {
      for (Immediate& r : reg) r = {};
      stored.clear();
    }
    for (int r = 0; r < 3; ++r) {
      if (op == kStores[r][0] || op == kStores[r][1]) {
        const std::int32_t p =
            op == kStores[r][0] ? byte(at + 1) : byte(at + 1) | byte(at + 2) << 8;
        stored[p] = reg[r];
        pair(u, stored, p - 1);
        pair(u, stored, p);
      }
      if (op6502::Writes(r, op))
        reg[r] = op == kLoads[r] ? Immediate{at + 1, byte(at + 1)} : Immediate{};
    }
  }
}

template <typename Stored>
void DisassemblyBuilder::pair(int u, const Stored& stored, std::int32_t p) {
  const auto lo = stored.find(p);
  const auto hi = stored.find(p + 1);
  if (lo == stored.end() || hi == stored.end() || lo->second.at < 0 || hi->second.at < 0 ||
      lo->second.at == hi->second.at) {
    return;
  }
  const std::int32_t value = hi->second.value << 8 | lo->second.value;
  if (value < 0x8000 || d_.unitFor(u, value) < 0) return;
  d_.parts[lo->second.at] = {AddressPart::Low, value, 0};
  d_.parts[hi->second.at] = {AddressPart::High, value, 0};
  refer(u, value, false);
}

Disassembly BuildDisassembly(const std::string& rom, const std::array<OpcodeShape, 256>& shapes,
                             const ExportInputs& names) {
  Disassembly d;
  d.rom = rom;
  d.header = ReadINesHeader(rom);
  if (!d.header.present) {
    throw JobError::Minor("Not an iNES ROM", "The file does not start with an iNES header.");
  }
  const auto fileSize = static_cast<std::int64_t>(rom.size());
  const std::int64_t prgSize = static_cast<std::int64_t>(d.header.prgBanks) * kBank;
  d.prgEnd = std::clamp<std::int64_t>(d.header.prgOffset + prgSize, 0, fileSize);
  d.prgEnd = std::max(d.prgEnd, std::min(d.header.prgOffset, fileSize));
  d.units = UnitsOf(d.header, d.prgEnd - d.header.prgOffset);
  d.kind.assign(static_cast<std::size_t>(d.prgEnd), ByteKind::Data);
  d.traced.assign(static_cast<std::size_t>(d.prgEnd), kRoleNone);
  if (names.ops != nullptr) {
    for (std::int32_t a = 0; a < 0x8000; ++a) {
      const auto slot = static_cast<std::size_t>(a);
      const std::string& read = names.ops->ReadNames[slot];
      const std::string& name = read.empty() ? names.ops->WriteNames[slot] : read;
      if (IsSymbolName(name) && !d.ramNames.contains(a)) d.ramNames[a] = name;
    }
  }
  DisassemblyBuilder builder(d, names);
  builder.trace(shapes);
  builder.labelAll();
  return d;
}

}  // namespace morvane
