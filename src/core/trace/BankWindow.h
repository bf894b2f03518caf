// The CPU window a bank of PRG ROM runs at, found from the ROM itself: from
// the mapper, from the bank-mode writes the program makes, and from the
// bank's own absolute calls and jumps.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct BankWindow {
  std::int32_t base = 0x8000;  // where the bank's first byte lies: 8000 or C000
  std::string why;             // said in the listing's header and in Tables.txt
};

// The window of the 16 KiB bank that starts at file offset bank of rom.
BankWindow FindBankWindow(const std::string& rom, std::int64_t bank);

}  // namespace morvane
