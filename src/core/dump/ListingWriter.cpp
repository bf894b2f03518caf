#include "dump/ListingWriter.h"

#include "dump/CodeDump.h"
#include "dump/CommentNames.h"
#include "shell/Values.h"

namespace morvane {

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
