// The classic listing's text, written from the model its passes filled
// (model/ListingModel.h): the label column and the instruction lines.
#pragma once

#include <cstdint>
#include <string>

#include "model/Instruction.h"

namespace morvane {

struct CodeDump;

// Appends the label of address a (or a TAB) and the TAB after it to line;
// a name from a label file replaces the label.
void AppendLabel(CodeDump& dump, std::int32_t a, std::string& line);

// Appends the line of a decoded instruction to line (which holds its label
// column): mnemonic and operand in the Op_Codes file's format, the comment
// with its names, a label file's comment, and the rule after a block's end.
void AppendInstruction(const CodeDump& dump, const Instruction& in, std::string& line);

}  // namespace morvane
