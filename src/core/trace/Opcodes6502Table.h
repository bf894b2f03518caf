// The 151 official 6502 instructions as an assembler writes them: mnemonic
// and addressing mode of each opcode byte. The one table of them: the
// tracer's quick tests (trace/Opcodes6502.h) are checked against it when
// this compiles, and the export writes its instructions from it.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "model/Instruction.h"
#include "trace/Opcodes6502.h"

namespace morvane {

enum class Mode : std::uint8_t {
  None,
  Imp,
  Acc,
  Imm,
  Zp,
  Zpx,
  Zpy,
  Abs,
  Abx,
  Aby,
  Ind,
  Izx,
  Izy,
  Rel
};

struct Instruction6502 {
  std::string_view mnemonic;  // empty for an unofficial opcode
  Mode mode = Mode::None;
};

// The bytes an instruction of mode takes, opcode included.
constexpr int LengthOf(Mode mode) {
  switch (mode) {
    case Mode::None:
    case Mode::Imp:
    case Mode::Acc:
      return 1;
    case Mode::Abs:
    case Mode::Abx:
    case Mode::Aby:
    case Mode::Ind:
      return 3;
    default:
      return 2;
  }
}

// The shape of an official instruction of mode, as the model decodes it
// (model/Instruction.h).
constexpr OpcodeShape ShapeOf(Mode mode) {
  if (mode == Mode::Rel) return {OperandKind::Relative, 0};
  const int length = LengthOf(mode);
  return {length == 3 ? OperandKind::Word : length == 2 ? OperandKind::Byte : OperandKind::None, 0};
}

namespace detail {

// Sixteen opcodes a row, "mnemonic mode", "-" where none is official.
inline constexpr std::array<std::string_view, 256> kRows = {
    "brk imp", "ora izx", "-",       "-", "-",       "ora zp",  "asl zp",  "-",  // 00
    "php imp", "ora imm", "asl acc", "-", "-",       "ora abs", "asl abs", "-",
    "bpl rel", "ora izy", "-",       "-", "-",       "ora zpx", "asl zpx", "-",  // 10
    "clc imp", "ora aby", "-",       "-", "-",       "ora abx", "asl abx", "-",
    "jsr abs", "and izx", "-",       "-", "bit zp",  "and zp",  "rol zp",  "-",  // 20
    "plp imp", "and imm", "rol acc", "-", "bit abs", "and abs", "rol abs", "-",
    "bmi rel", "and izy", "-",       "-", "-",       "and zpx", "rol zpx", "-",  // 30
    "sec imp", "and aby", "-",       "-", "-",       "and abx", "rol abx", "-",
    "rti imp", "eor izx", "-",       "-", "-",       "eor zp",  "lsr zp",  "-",  // 40
    "pha imp", "eor imm", "lsr acc", "-", "jmp abs", "eor abs", "lsr abs", "-",
    "bvc rel", "eor izy", "-",       "-", "-",       "eor zpx", "lsr zpx", "-",  // 50
    "cli imp", "eor aby", "-",       "-", "-",       "eor abx", "lsr abx", "-",
    "rts imp", "adc izx", "-",       "-", "-",       "adc zp",  "ror zp",  "-",  // 60
    "pla imp", "adc imm", "ror acc", "-", "jmp ind", "adc abs", "ror abs", "-",
    "bvs rel", "adc izy", "-",       "-", "-",       "adc zpx", "ror zpx", "-",  // 70
    "sei imp", "adc aby", "-",       "-", "-",       "adc abx", "ror abx", "-",
    "-",       "sta izx", "-",       "-", "sty zp",  "sta zp",  "stx zp",  "-",  // 80
    "dey imp", "-",       "txa imp", "-", "sty abs", "sta abs", "stx abs", "-",
    "bcc rel", "sta izy", "-",       "-", "sty zpx", "sta zpx", "stx zpy", "-",  // 90
    "tya imp", "sta aby", "txs imp", "-", "-",       "sta abx", "-",       "-",
    "ldy imm", "lda izx", "ldx imm", "-", "ldy zp",  "lda zp",  "ldx zp",  "-",  // A0
    "tay imp", "lda imm", "tax imp", "-", "ldy abs", "lda abs", "ldx abs", "-",
    "bcs rel", "lda izy", "-",       "-", "ldy zpx", "lda zpx", "ldx zpy", "-",  // B0
    "clv imp", "lda aby", "tsx imp", "-", "ldy abx", "lda abx", "ldx aby", "-",
    "cpy imm", "cmp izx", "-",       "-", "cpy zp",  "cmp zp",  "dec zp",  "-",  // C0
    "iny imp", "cmp imm", "dex imp", "-", "cpy abs", "cmp abs", "dec abs", "-",
    "bne rel", "cmp izy", "-",       "-", "-",       "cmp zpx", "dec zpx", "-",  // D0
    "cld imp", "cmp aby", "-",       "-", "-",       "cmp abx", "dec abx", "-",
    "cpx imm", "sbc izx", "-",       "-", "cpx zp",  "sbc zp",  "inc zp",  "-",  // E0
    "inx imp", "sbc imm", "nop imp", "-", "cpx abs", "sbc abs", "inc abs", "-",
    "beq rel", "sbc izy", "-",       "-", "-",       "sbc zpx", "inc zpx", "-",  // F0
    "sed imp", "sbc aby", "-",       "-", "-",       "sbc abx", "inc abx", "-",
};

inline constexpr std::array<std::pair<std::string_view, Mode>, 13> kModes = {{
    {"imp", Mode::Imp},
    {"acc", Mode::Acc},
    {"imm", Mode::Imm},
    {"zp", Mode::Zp},
    {"zpx", Mode::Zpx},
    {"zpy", Mode::Zpy},
    {"abs", Mode::Abs},
    {"abx", Mode::Abx},
    {"aby", Mode::Aby},
    {"ind", Mode::Ind},
    {"izx", Mode::Izx},
    {"izy", Mode::Izy},
    {"rel", Mode::Rel},
}};

constexpr std::array<Instruction6502, 256> BuildOfficial6502() {
  std::array<Instruction6502, 256> table{};
  for (std::size_t op = 0; op < kRows.size(); ++op) {
    const std::string_view row = kRows[op];
    if (row == "-") continue;
    const std::string_view mode = row.substr(4);
    for (const auto& [word, m] : kModes) {
      if (word == mode) table[op] = {row.substr(0, 3), m};
    }
  }
  return table;
}

inline constexpr std::array<Instruction6502, 256> kOfficial6502 = BuildOfficial6502();

// Whether the tracer's tests say of every opcode what the table says.
constexpr bool TracerAgrees() {
  for (int op = 0; op < 256; ++op) {
    const auto b = static_cast<std::uint8_t>(op);
    const Instruction6502& in = kOfficial6502[b];
    if (op6502::Official(b) != (in.mode != Mode::None)) return false;
    if (in.mode != Mode::None && op6502::OperandLength(b) + 1 != LengthOf(in.mode)) return false;
  }
  return true;
}
static_assert(TracerAgrees(), "trace/Opcodes6502.h disagrees with the table of instructions");

}  // namespace detail

// The official instruction of an opcode byte; mode None when it is not one.
constexpr const Instruction6502& Official6502(std::uint8_t op) {
  return detail::kOfficial6502[op];
}

}  // namespace morvane
