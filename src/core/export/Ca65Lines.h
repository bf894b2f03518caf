// The lines of one PRG unit in the ca65 source: labels, instructions with
// named operands, and data as bytes, addresses or their halves.
#pragma once

#include <string>

#include "export/Disassembly.h"

namespace morvane {

void UnitLines(std::string& out, const Disassembly& d, int unit);

// The instruction at a file offset as the export writes it, names left out
// (numbers only): what a comment shows of bytes written as data. note: what
// the Op_Codes file says of an unofficial opcode.
std::string InstructionText(const Disassembly& d, std::int64_t at, const std::string& note);

}  // namespace morvane
