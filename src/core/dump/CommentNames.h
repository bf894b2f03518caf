// Operand text and the names put into an instruction's comment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dump/Definitions.h"

namespace morvane {

struct CodeDump;

// Appends format to out with its first placeholder replaced by the operand's
// hex: hi and lo as Hex(hi) HexByte(lo) for two bytes (hi < 0 for one), else
// lo zero-filled to width digits; all in lower case.
void AppendOperand(std::string& out, std::string_view format, std::string_view placeholder, int hi,
                   std::uint32_t lo, int width);

// The name of address n in a comment, by the mode's flags: read, write or
// joined names, with a hex label on an empty side.
std::string AddressName(const CodeDump& dump, std::int32_t n, int flags);
// The name of a branch target: its read name, else its four hex digits.
std::string RelativeName(const CodeDump& dump, std::int32_t target, int flags);

// Appends comment to out with its placeholders replaced for an operand of the
// given kind whose value is u (one byte) or the target (two bytes, relative).
void AppendCommentNames(std::string& out, const CodeDump& dump, std::string_view comment,
                        OperandKind kind, std::int32_t value, int flags);

// Appends a label file's comment to out; its further lines become comment
// lines of their own below.
void AppendGivenComment(std::string& out, const std::string& comment);

}  // namespace morvane
