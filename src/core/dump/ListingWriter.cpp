#include "dump/ListingWriter.h"

#include "dump/CodeDump.h"
#include "dump/CommentNames.h"
#include "shell/Values.h"

namespace morvane {

void AppendLabel(CodeDump& d, std::int32_t a, std::string& line) {
  const CodeMarks& m = d.marks;
  const bool inTable = d.insideTable;
  const auto u = static_cast<std::uint32_t>(a);
  if (m.has(a, kCodeLabel)) {
    std::string label = kCodeLabelPrefix;
    AppendHex(label, u, 4, true);
    line += d.labelFor(a, label);
    line += ':';
  } else if (m.has(a, kTableLabel)) {
    if (!inTable) {
      const std::string& name = d.readName(a);
      line += kRuleLine;
      line += "\r\n; Found Table ";
      if (!name.empty()) line += name + ": ";
      AppendHex(line, u, 4);
      line += kLineEnd;
      line += kRuleLine;
      line += kLineEnd;
    }
    std::string label = kTableLabelPrefix;
    AppendHex(label, u, 0, true);
    line += d.labelFor(a, label);
    line += ':';
  } else if (const std::string* given = d.givenName(a)) {
    line += *given;
    line += ':';
  } else if (m.has(a, kReadVarRef)) {
    const std::string& name = d.readName(a);
    if (name.empty()) {
      line += kVariableLabelPrefix;
      AppendHex(line, u, 0);
    } else {
      line += name;
    }
    line += ':';
  } else if (m.has(a, kBlockStart) || (inTable && a == d.cursor.tStart)) {
    line += '_';
    AppendHex(line, u, 4, true);
    line += ':';
  } else if (m.has(a, kAddressMark) || (inTable && !d.cursor.is(kTableTxt) && a % 16 == 0)) {
    AppendHex(line, u, 4);
    line += ":\t";
  } else {
    line += '\t';
  }
  line += '\t';
}

void AppendInstruction(const CodeDump& d, const Instruction& in, std::string& line) {
  const std::int32_t a = in.address;
  const OpcodeDef& op = d.ops.opcodes[in.opcode];
  std::string operand;
  std::string_view comment;  // the template, filled in when the operand was read
  if (in.asByte) {
    line = d.marks.note(a) + line + ".byte";
    operand = "$" + PadHex(in.opcode, 2, " ");
    comment = ";?";
  } else {
    const std::string& note = d.marks.note(a);
    if (!note.empty())
      line = std::string(kRuleLine) + kLineEnd + note + kRuleLine + kLineEnd + line;
    line += op.Mnemonic;
    comment = op.Comment;
    const std::string& format = ModeOf(d.ops, op).Format;
    if (!in.whole) {
      operand = format;
    } else if (in.kind == OperandKind::Byte) {
      AppendOperand(operand, format, "uu", -1, in.lo, 0);
    } else if (in.kind == OperandKind::Word) {
      AppendOperand(operand, format, "wwuu", in.hi, in.lo, 0);
    } else {
      AppendOperand(operand, format, "rrrr", -1, static_cast<std::uint32_t>(in.value),
                    in.refers() ? 4 : 5);
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
    if (in.whole) {
      AppendCommentNames(line, d, comment, in.kind, in.value, in.flags);
    } else {
      line += comment;
    }
    if (line.size() == tabbed) line.resize(bare);  // every name came out empty
  }
  if (const std::string* given = d.givenComment(a)) {
    if (line.size() == bare) {
      tabs();
      line += ';';
    } else {
      line += " ; ";
    }
    AppendGivenComment(line, *given);
  }

  const std::int32_t next = a + in.length();
  if ((in.flags & kFlagEnd) && !d.tableStartsAt(next) && d.marks.note(next).empty()) {
    line += kLineEnd;
    line += kRuleLine;
  }
  if (in.flags & kFlagSpace) line += kLineEnd;
}

}  // namespace morvane
