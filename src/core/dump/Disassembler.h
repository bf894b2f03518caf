// The per-byte work of an 8-bit Code dump outside tables: the line's label
// and one 6502 instruction with its operand, references and comment.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct CodeDump;
struct DumpContext;

// Appends the label of address a (or a TAB) and the TAB after it to line;
// a name from a label file replaces the label.
void AppendLabel(CodeDump& dump, std::int32_t a, std::string& line);

// The opcode ctx.byte at ctx.address: reads its operand from the ROM, records
// its references and, without a Table List, runs the code finding.
void DisassembleOpcode(CodeDump& dump, DumpContext& ctx);

}  // namespace morvane
