// The whole ROM as one program: every bank traced with the fixed one, and
// the calls from one bank into a switched window made entries of the bank
// they reach.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "dump/CodeDump.h"

namespace morvane {

// An entry into a bank that code elsewhere calls or jumps to.
struct RomEntry {
  std::int32_t to = 0;    // the CPU address, in the bank's window
  int block = -1;         // the 16 KiB block the call lies in
  std::int32_t from = 0;  // the call's CPU address
  // Whether the bank the call selects was known; an entry whose bank was
  // not is kept only in the banks where it decodes as consistent code.
  bool sure = false;
};

struct RomTrace {
  std::vector<std::int32_t> bases;             // per 16 KiB block: the window it runs at
  std::vector<std::int32_t> sizes;             // and how much of it runs there (MMC3: 8 KiB)
  std::vector<std::vector<RomEntry>> entries;  // per block: what enters it
  // The entries of block at the CPU address base: none when the whole-ROM
  // trace put that block at another window.
  std::vector<RomEntry> into(std::int64_t block, std::int32_t base) const;
};

// rom: the header and the PRG ROM it announces. Only a mapper that fixes a
// bank beside a switched window gives entries; for any other ROM none.
RomTrace TraceWholeRom(const std::string& rom, const std::array<OpcodeShape, 256>& shapes);

}  // namespace morvane
