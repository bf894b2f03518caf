// A decoded instruction: what its opcode's addressing mode says follows it,
// and the operand read from the bytes after it.
#pragma once

#include <array>
#include <cstdint>

#include "model/OpcodeSet.h"

namespace morvane {

// What decoding asks of an opcode's addressing mode, kept small so that the
// table for all 256 opcodes stays in the cache.
struct OpcodeShape {
  OperandKind kind = OperandKind::None;  // the mode's operand
  std::int32_t flags = 0;                // the mode's option bits
};

// The shape of every opcode that ops defines.
std::array<OpcodeShape, 256> ShapesOf(const OpcodeSet& ops);

struct Instruction {
  std::int32_t address = 0;  // of the opcode
  std::uint8_t opcode = 0;
  OperandKind kind = OperandKind::None;
  std::int32_t flags = 0;
  bool whole = false;   // its operand's bytes were all there
  bool asByte = false;  // it runs into code: listed as a byte, its operand not read
  std::uint8_t lo = 0;
  std::uint8_t hi = 0;
  // The operand's value: the byte, the word, or a branch's target.
  std::int32_t value = 0;

  int length() const { return 1 + (whole ? OperandBytes(kind) : 0); }
  // Whether the operand names an address the listing can refer to.
  bool refers() const {
    return whole && (kind != OperandKind::Relative || (value >= 0 && value <= 0xFFFF));
  }
};

// Decodes the opcode at address; operand holds the have bytes after it.
inline Instruction Decode(const OpcodeShape& shape, std::int32_t address, std::uint8_t opcode,
                          const std::uint8_t* operand, int have) {
  Instruction in{address, opcode, shape.kind, shape.flags};
  const int size = OperandBytes(shape.kind);
  if (size == 0 || have < size) return in;
  in.whole = true;
  in.lo = operand[0];
  if (shape.kind == OperandKind::Byte) {
    in.value = in.lo;
  } else if (shape.kind == OperandKind::Word) {
    in.hi = operand[1];
    in.value = in.hi * 256 + in.lo;
  } else {
    in.value = address + 2 + static_cast<std::int8_t>(in.lo);
  }
  return in;
}

}  // namespace morvane
