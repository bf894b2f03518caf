// Portopia's menu pseudo-code: the five-byte menu entries, listed as
// statements beside the dumped bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dump/DumpStep.h"

namespace morvane {

class OutFile;
class RomCursor;

// One menu entry whose first byte b0 the driver has just read and listed in
// line. Reads the other four bytes (none for the end byte FFh), writes the
// entry's lines and leaves in line what the driver writes after it. menuRow
// numbers the always-offered entries of a menu; the end byte resets it and
// sets newBlock.
void DumpMenuCode(RomCursor& rom, OutFile& out, std::uint8_t b0, std::string& line, bool& newBlock,
                  int& menuRow);

// The step of the Menu Pseudo-Code dump mode.
std::unique_ptr<DumpStep> MakeMenuCodeStep();

}  // namespace morvane
