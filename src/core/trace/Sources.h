// What the instructions before a dispatch or a use of a pointer put where:
// the loads that fed the stores, from a table by index or from immediates.
#pragma once

#include <cstdint>
#include <vector>

#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane::sources {

using namespace op6502;

inline bool IsStore(std::uint8_t op) {
  return op == kStaZp || op == kStaAbs || op == kStxZp || op == kStxAbs || op == kStyZp ||
         op == kStyAbs;
}

inline bool IsIndexedLoad(std::uint8_t op) {
  return op == kLdaAbsX || op == kLdaAbsY || op == kLdxAbsY || op == kLdyAbsX;
}

inline bool IsImmediateLoad(std::uint8_t op) {
  return op == kLdaImm || op == kLdxImm || op == kLdyImm;
}

// A value a dispatch combines: loaded from a table by index, or immediate.
struct Source {
  bool table = false;
  std::int32_t value = -1;
  std::uint8_t op = 0;  // the load
  bool added = false;   // an immediate added to an index: the base it indexes
  int less = 0;         // what was taken off the loaded value on the way
};

inline bool ByX(std::uint8_t op) {
  return op == kLdaAbsX || op == kLdyAbsX;
}

inline bool IsAdd(std::uint8_t op) {
  // ADC in every mode but (zp,x) and (zp),y.
  return op == kAdcImm || op == 0x65 || op == 0x6D || op == 0x75 || op == 0x7D || op == 0x79;
}

// A sum stored at history[store]: an address and an index added with ADC
// (lda idx / clc / adc #<base, lda #<base / clc / adc idx, lda #>base /
// adc #0). The immediates add up to the address the index counts from.
inline void AddedBy(const std::vector<Tracer::Insn>& history, std::size_t store, Source& s) {
  std::int32_t base = 0;
  for (std::size_t k = store; k-- > 0;) {
    const Tracer::Insn& in = history[k];
    if (in.op == kClc) continue;
    if (in.op == kAdcImm) {
      base += in.operand;
    } else if (!IsAdd(in.op)) {
      // What A held first: an immediate is part of the address; a load
      // from a table makes the sum an entry, not an address.
      if (IsIndexedLoad(in.op) || !Writes(0, in.op)) return;
      if (in.op == kLdaImm) base += in.operand;
      s = {false, base & 0xFF, kAdcImm, true};
      return;
    }
  }
}

// What the store at history[store] stored: what the load before it loaded.
inline void StoredBy(const std::vector<Tracer::Insn>& history, std::size_t store, Source& s) {
  if (store == 0) return;
  const Tracer::Insn& load = history[store - 1];
  if (IsIndexedLoad(load.op)) s = {true, load.operand, load.op};
  if (IsImmediateLoad(load.op)) s = {false, load.operand, load.op};
  const bool storesA = history[store].op == kStaZp || history[store].op == kStaAbs;
  if (storesA && IsAdd(load.op)) AddedBy(history, store, s);
}

// What A held at history[n], back through transfers by X or Y and
// immediates added or taken off: the load it came from.
inline void HeldInA(const std::vector<Tracer::Insn>& history, std::size_t n, Source& s) {
  int reg = 0;  // where the value was, going back: A, X or Y
  int less = 0;
  for (std::size_t k = n; k-- > 0;) {
    const std::uint8_t op = history[k].op;
    if (reg == 0 && (op == kTxa || op == kTya)) {
      reg = op == kTxa ? 1 : 2;
    } else if (reg != 0 && op == (reg == 1 ? kTax : kTay)) {
      reg = 0;
    } else if (reg == 0 && (op == kSbcImm || op == kAdcImm)) {
      less += op == kSbcImm ? history[k].operand : -history[k].operand;
    } else if (Writes(reg, op)) {
      const bool load = IsIndexedLoad(op) || IsImmediateLoad(op);
      if (load) s = {IsIndexedLoad(op), history[k].operand, op, false, less};
      return;
    }
  }
}

// The low [0] and high [1] bytes the instructions before history[n] stored
// at p and p + 1.
inline void PointerSources(const std::vector<Tracer::Insn>& history, std::size_t n, std::int32_t p,
                           Source src[2]) {
  for (std::size_t k = n; k-- > 0;) {
    if (!IsStore(history[k].op)) continue;
    if (history[k].operand == p && src[0].value < 0) StoredBy(history, k, src[0]);
    if (history[k].operand == p + 1 && src[1].value < 0) StoredBy(history, k, src[1]);
  }
}

// The high bytes' table of a table read by index: none (-1) when they
// follow the low bytes, or when one index stepped between the two reads.
inline std::int32_t Partner(const Source src[2]) {
  return src[1].value == src[0].value + 1 || src[1].value == src[0].value ? -1 : src[1].value;
}

}  // namespace morvane::sources
