// The stable unofficial opcodes a traced dump knows besides those of the
// chosen Op_Codes file: a second bundled Op_Codes file holds them.
#pragma once

#include "dump/Definitions.h"

namespace morvane {

inline constexpr char kUnofficialOpCodes[] = "Op_Codes_NES_Unofficial.txt";
// The dump's option that keeps a traced dump to the chosen file's opcodes.
inline constexpr char kOfficialOnly[] = "official-only";

// Gives each opcode that set leaves undefined (a mode with the bad option)
// the definition extra has for it, when extra defines it; the modes it
// needs are added to set's, set's names stay.
void AddOpcodesFrom(const OpcodeSet& extra, OpcodeSet& set);

// AddOpcodesFrom the bundled kUnofficialOpCodes file. Throws JobError
// (file not found, naming it) when the file is missing, and what
// ReadOpCodes throws for it.
void AddUnofficialOpcodes(OpcodeSet& set);

}  // namespace morvane
