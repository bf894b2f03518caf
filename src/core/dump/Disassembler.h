// The model pass of an 8-bit Code dump outside tables: one 6502 instruction
// decoded, its references recorded and, without a Table List, the code told
// from data. The listing's text is written from what it returns
// (dump/ListingWriter.h).
#pragma once

#include "model/Instruction.h"

namespace morvane {

struct CodeDump;
struct DumpContext;

// The opcode ctx.byte at ctx.address: reads its operand from the ROM, records
// its references and, without a Table List, runs the code finding.
Instruction DisassembleOpcode(CodeDump& dump, DumpContext& ctx);

}  // namespace morvane
