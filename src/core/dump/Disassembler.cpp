#include "dump/Disassembler.h"

#include "dump/CodeDump.h"
#include "dump/DumpContext.h"

namespace morvane {

namespace {

bool IsCodeAt(const CodeDump& d, std::int32_t x) {
  return d.marks.has(x, kCodeLabel) || d.marks.has(x, kKnownCode) ||
         (!d.withTables && d.stacks.PSIn(CodeStack::Targets, x));
}

// The references an operand makes; ref is u for one byte, else the target.
void Reference(CodeDump& d, OperandKind kind, int flags, std::int32_t ref) {
  const bool firstPass = d.pass == d.firstPass;
  if ((flags & kFlagLbl) && kind != OperandKind::Byte) {
    if (d.withTables) {
      d.marks.set(ref, kCodeLabel);
    } else if (firstPass) {
      d.stacks.PSPush(CodeStack::Targets, ref);
    }
  }
  if (flags & kFlagTbl) {
    if (d.withTables) {
      if (!(flags & kFlagRead)) d.marks.set(ref, kWriteTableRef);
      if (!(flags & kFlagWrite)) d.marks.set(ref, kTableLabel);
    } else if (firstPass && (flags & kFlagRead)) {
      d.stacks.PSPush(CodeStack::Tables, ref);
    }
  }
  if ((flags & kFlagVbl) && d.withTables) {
    if (!(flags & kFlagRead)) d.marks.set(ref, kWriteVarRef);
    if (!(flags & kFlagWrite)) d.marks.set(ref, kReadVarRef);
  }
}

// Code finding without a Table List, after the instruction at a.
void FindCode(CodeDump& d, int flags, std::int32_t a, std::int32_t next) {
  const bool bad = (flags & kFlagBad) != 0;
  if (bad || d.marks.has(a, kTableLabel)) d.stacks.PSClear();
  if (bad) {
    if (d.runStart >= 0 && d.pendingData == 0) {
      d.marks.set(d.runStart, kBadRunStart);
      d.runStart = -1;
    }
  } else if (d.firstGood == -1) {
    d.firstGood = a;
  }
  if (flags & kFlagPoNd) {
    for (std::int32_t x; (x = d.stacks.PSPop(CodeStack::Targets)) != -1;)
      d.marks.set(x, kKnownCode);
    for (std::int32_t x; (x = d.stacks.PSPop(CodeStack::Tables)) != -1;)
      d.marks.set(x, kTableLabel);
    for (std::int32_t x; (x = d.stacks.PSPop(CodeStack::KnownCode)) != -1;)
      d.marks.set(x, kCodeLabel);
    if (d.pendingData == 0) {
      d.runStart = next;
    } else if (d.pendingData > 0) {
      --d.pendingData;
    }
  }
}

}  // namespace

Instruction DisassembleOpcode(CodeDump& d, DumpContext& ctx) {
  const std::int32_t a = ctx.address;
  const std::uint8_t b = ctx.byte;
  const OpcodeShape& shape = d.shapes[b];
  const OperandKind kind = shape.kind;
  const int flags = shape.flags;
  Instruction in{a, b, kind, flags};
  if ((kind != OperandKind::None && IsCodeAt(d, a + 1)) ||
      (kind == OperandKind::Word && IsCodeAt(d, a + 2))) {
    in.asByte = true;
    d.pendingData = kind == OperandKind::Relative ? 0 : OperandBytes(kind) + 1;
    if (!d.withTables) d.stacks.PSClear();
  } else {
    if (!d.withTables && d.marks.has(a, kKnownCode)) d.stacks.PSPush(CodeStack::KnownCode, a);
    RomCursor& rom = *ctx.rom;
    const int size = OperandBytes(kind);
    if (size > 0 && rom.remaining() >= size) {
      std::uint8_t operand[2] = {rom.read(), 0};
      if (size == 2) operand[1] = rom.read();
      in = Decode(shape, a, b, operand, size);
      d.marks.setRom(a + 1, in.lo);
      if (size == 2) d.marks.setRom(a + 2, in.hi);
      if (in.refers()) Reference(d, kind, flags, in.value);
    }
  }
  const std::int32_t next = a + in.length();
  if (flags & kFlagEnd) d.marks.set(next, kBlockStart);
  if (flags & kFlagAddress) d.marks.set(a, kAddressMark);
  if (!d.withTables) FindCode(d, flags, a, next);
  return in;
}

}  // namespace morvane
