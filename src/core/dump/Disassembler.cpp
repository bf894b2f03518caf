#include "dump/Disassembler.h"

#include "dump/CodeDump.h"
#include "dump/CommentNames.h"
#include "dump/DumpContext.h"
#include "shell/Values.h"

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

void DisassembleOpcode(CodeDump& d, DumpContext& ctx) {
  const std::int32_t a = ctx.address;
  const std::uint8_t b = ctx.byte;
  const OpcodeDef& op = d.ops.opcodes[b];
  const OperandKind kind = d.shapes[b].kind;
  const int flags = d.shapes[b].flags;
  std::string& line = ctx.line;

  // Only pass 1 writes: earlier passes keep the marks and skip the text.
  const bool writes = ctx.pass == 1;
  std::string operand;
  std::string_view comment;  // the template, filled in when the operand was read
  bool fill = false;
  std::int32_t ref = 0;
  const bool overlap = (kind != OperandKind::None && IsCodeAt(d, a + 1)) ||
                       (kind == OperandKind::Word && IsCodeAt(d, a + 2));
  if (overlap) {
    if (writes) {
      line = d.marks.note(a) + line + ".byte";
      operand = "$" + PadHex(b, 2, " ");
      comment = ";?";
    }
    d.pendingData = kind == OperandKind::Relative ? 0 : OperandBytes(kind) + 1;
    if (!d.withTables) d.stacks.PSClear();
  } else {
    if (writes) {
      const std::string& note = d.marks.note(a);
      if (!note.empty())
        line = std::string(kRuleLine) + kLineEnd + note + kRuleLine + kLineEnd + line;
      line += op.Mnemonic;
      comment = op.Comment;
    }
    if (!d.withTables && d.marks.has(a, kKnownCode)) d.stacks.PSPush(CodeStack::KnownCode, a);

    RomCursor& rom = *ctx.rom;
    const int size = OperandBytes(kind);
    if (size > 0 && rom.remaining() >= size) {
      const std::uint8_t u = rom.read();
      d.marks.setRom(a + 1, u);
      ref = u;
      bool refers = true;
      if (kind == OperandKind::Byte) {
        if (writes) AppendOperand(operand, ModeOf(d.ops, op).Format, "uu", -1, u, 0);
      } else if (kind == OperandKind::Word) {
        const std::uint8_t hi = rom.read();
        d.marks.setRom(a + 2, hi);
        ref = hi * 256 + u;
        if (writes) AppendOperand(operand, ModeOf(d.ops, op).Format, "wwuu", hi, u, 0);
      } else {
        ref = a + 2 + static_cast<std::int8_t>(u);
        refers = ref >= 0 && ref <= 0xFFFF;
        if (writes) {
          AppendOperand(operand, ModeOf(d.ops, op).Format, "rrrr", -1,
                        static_cast<std::uint32_t>(ref), refers ? 4 : 5);
        }
      }
      if (refers) Reference(d, kind, flags, ref);
      fill = true;
    } else if (writes) {
      operand = ModeOf(d.ops, op).Format;
    }
  }

  if (!operand.empty()) {
    line += ' ';
    line += operand;
  }
  const std::size_t n = op.Mnemonic.size() + operand.size() + 1;
  const std::size_t bare = line.size();
  const auto tabs = [&] {
    if (n < 12) line += '\t';
    if (n < 6) line += '\t';
    line += '\t';
  };
  if (!comment.empty()) {
    tabs();
    const std::size_t tabbed = line.size();
    if (fill) {
      AppendCommentNames(line, d, comment, kind, ref, flags);
    } else {
      line += comment;
    }
    if (line.size() == tabbed) line.resize(bare);  // every name came out empty
  }
  if (const std::string* given = writes ? d.givenComment(a) : nullptr) {
    if (line.size() == bare) {
      tabs();
      line += ';';
    } else {
      line += " ; ";
    }
    AppendGivenComment(line, *given);
  }

  const auto next = static_cast<std::int32_t>(ctx.origin + ctx.rom->offset());
  if (flags & kFlagEnd) {
    if (writes && !d.tableStartsAt(next) && d.marks.note(next).empty()) {
      line += kLineEnd;
      line += kRuleLine;
    }
    d.marks.set(next, kBlockStart);
  }
  if (writes && (flags & kFlagSpace)) line += kLineEnd;
  if (flags & kFlagAddress) d.marks.set(a, kAddressMark);
  if (!d.withTables) FindCode(d, flags, a, next);
}

}  // namespace morvane
