// Portopia's speech pseudo-code: the bytecode of its conversations, listed as
// statements beside the dumped bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dump/DumpStep.h"

namespace morvane {

class OutFile;
class RomCursor;

// One statement whose opcode the driver has just read and listed in line.
// Reads its operand from rom, writes the statement's lines and leaves in line
// what the driver writes after it. newBlock is set when the statement ends a
// block of script; continueFlag is set by conditions, so the driver reads the
// guarded statement next, and cleared by every other statement.
void DumpSpeechCode(RomCursor& rom, OutFile& out, std::uint8_t opcode, std::string& line,
                    bool& newBlock, bool& continueFlag);

// Whether the message a print statement names (bank = its opcode, code = its
// operand) starts with the line-break arrow, so that it prints where the last
// one ended.
bool IsSpeechSpecialCase(std::uint8_t bank, std::uint8_t code);

// The step of the Speech Pseudo-Code dump mode.
std::unique_ptr<DumpStep> MakeSpeechCodeStep();

}  // namespace morvane
