// The 6502 opcodes the tracer's idioms are made of: pushes and pulls,
// returns, loads and stores that set up a dispatch; and the vectors.
#pragma once

#include <cstdint>

namespace morvane::op6502 {

// The low five bits of every (zp),y instruction.
constexpr std::uint8_t kIndirectY = 0x11;

enum Op : std::uint8_t {
  kBrk = 0x00,
  kPhp = 0x08,
  kAslA = 0x0A,
  kBpl = 0x10,
  kClc = 0x18,
  kJsr = 0x20,
  kBitZp = 0x24,
  kPlp = 0x28,
  kBitAbs = 0x2C,
  kBmi = 0x30,
  kSec = 0x38,
  kRti = 0x40,
  kPha = 0x48,
  kLsrA = 0x4A,
  kJmp = 0x4C,
  kBvc = 0x50,
  kRts = 0x60,
  kPla = 0x68,
  kAdcImm = 0x69,
  kJmpInd = 0x6C,
  kStyZp = 0x84,
  kStaZp = 0x85,
  kStxZp = 0x86,
  kDey = 0x88,
  kTxa = 0x8A,
  kStyAbs = 0x8C,
  kStaAbs = 0x8D,
  kStaAbsX = 0x9D,
  kStxAbs = 0x8E,
  kBcc = 0x90,
  kStaIndY = 0x91,
  kStaZpX = 0x95,
  kTya = 0x98,
  kStaAbsY = 0x99,
  kTxs = 0x9A,
  kLdyImm = 0xA0,
  kLdxImm = 0xA2,
  kLdaZp = 0xA5,
  kTay = 0xA8,
  kLdaImm = 0xA9,
  kTax = 0xAA,
  kLdaAbs = 0xAD,
  kBcs = 0xB0,
  kLdaIndY = 0xB1,
  kClv = 0xB8,
  kLdaAbsY = 0xB9,
  kTsx = 0xBA,
  kLdyAbsX = 0xBC,
  kLdaAbsX = 0xBD,
  kLdxAbsY = 0xBE,
  kDecZp = 0xC6,
  kIny = 0xC8,
  kCmpImm = 0xC9,
  kDex = 0xCA,
  kDecAbs = 0xCE,
  kBne = 0xD0,
  kIncZp = 0xE6,
  kSbcImm = 0xE9,
  kNop = 0xEA,
  kIncAbs = 0xEE,
  kIncAbsX = 0xFE,
  kBeq = 0xF0,
};

// Whether op is one of the 151 opcodes the 6502 documents; the others are
// followed only on a path that sure code leads to.
constexpr bool Official(std::uint8_t op) {
  constexpr std::uint64_t kOfficial[4] = {0x6363777363636763ULL, 0x6363776363637763ULL,
                                          0x7773777727737572ULL, 0x6363777363637773ULL};
  return ((kOfficial[op >> 6] >> (op & 63)) & 1) != 0;
}

// The operand bytes of op by the 6502's columns (bits 1-0 and 4-2).
constexpr int OperandLength(std::uint8_t op) {
  const int cc = op & 3, b = (op >> 2) & 7;
  if (cc == 0 && b == 0) return op == kJsr ? 2 : op >= 0x80 ? 1 : 0;
  if (cc != 0 && b == 0) return cc == 2 && op < 0x80 ? 0 : 1;
  if (b == 2) return cc == 1 || cc == 3 ? 1 : 0;
  if (b == 4) return cc == 2 ? 0 : 1;
  if (b == 6) return cc == 1 || cc == 3 ? 2 : 0;
  return b == 3 || b == 7 ? 2 : 1;
}

// Whether op writes register 0 (A), 1 (X) or 2 (Y).
constexpr bool Writes(int reg, std::uint8_t op) {
  // The unofficial ones that shift or count a byte and then combine it with
  // A, and LAX: in the same columns as ORA ... SBC, one further.
  const bool combines = (op & 3) == 3 && (op >> 5) != 4 && (op >> 5) != 6;
  switch (reg) {
    case 0:
      // ORA, AND, EOR, ADC, LDA, SBC in all their modes; the shifts of A,
      // the transfers to A and the pull; ANC, ALR, ARR.
      return ((op & 3) == 1 && (op >> 5) != 4 && (op >> 5) != 6) || op == kAslA || op == 0x2A ||
             op == 0x4A || op == 0x6A || op == kTxa || op == kTya || op == kPla || combines;
    case 1:
      return op == kLdxImm || op == 0xA6 || op == 0xAE || op == 0xB6 || op == kLdxAbsY ||
             op == kTax || op == kTsx || op == 0xE8 || op == kDex ||
             ((op & 3) == 3 && (op >> 5) == 5) || op == 0xCB;
    default:
      return op == kLdyImm || op == 0xA4 || op == 0xAC || op == 0xB4 || op == kLdyAbsX ||
             op == kTay || op == kIny || op == kDey;
  }
}

// Where a program keeps code it copies or writes: the console's RAM
// (0000-1FFF, mirrors included) or the cartridge's RAM at 6000-7FFF.
constexpr bool InRam(std::int32_t a) {
  return (a >= 0 && a < 0x2000) || (a >= 0x6000 && a < 0x8000);
}

// The CPU's vectors, in the order the trace enters them.
struct Vector {
  const char* name;
  std::int32_t at;
};
constexpr Vector kVectors[] = {{"RESET", 0xFFFC}, {"NMI", 0xFFFA}, {"IRQ", 0xFFFE}};

}  // namespace morvane::op6502
