// Operand text and the names put into an instruction's comment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

struct CodeDump;

// text with the first occurrence of placeholder replaced (unchanged without one).
std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view with);
// Every occurrence replaced, left to right; replacements are not searched again.
std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view with);

// The name of address n in a comment, by the mode's flags: read, write or
// joined names, with a hex label on an empty side.
std::string AddressName(const CodeDump& dump, std::int32_t n, int flags);
// The name of a branch target: its read name, else its four hex digits.
std::string RelativeName(const CodeDump& dump, std::int32_t target, int flags);

// Replaces the placeholders of comment for an operand of the given kind whose
// value is u (one byte) or the target (two bytes, relative).
std::string FillCommentNames(const CodeDump& dump, std::string comment, int kind,
                             std::int32_t value, int flags);

}  // namespace morvane
