// The 151 official 6502 instructions as an assembler writes them: mnemonic
// and addressing mode of each opcode byte.
#pragma once

#include <cstdint>
#include <string_view>

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

// The official instruction of an opcode byte; mode None when it is not one.
const Instruction6502& Official6502(std::uint8_t op);

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

}  // namespace morvane
