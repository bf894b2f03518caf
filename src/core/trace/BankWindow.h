// The CPU window a bank of PRG ROM runs at, found from the ROM itself: from
// the mapper, from the bank-mode writes the program makes, and from the
// bank's own absolute calls and jumps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

struct BankWindow {
  std::int32_t base = 0x8000;  // where the bank's first byte lies: 8000, A000, C000 or E000
  std::string why;             // said in the listing's header and in Tables.txt
  // How much of the bank runs there: all 16 KiB, or for MMC3 the first
  // 8 KiB when the second half runs elsewhere.
  std::int32_t size = 0x4000;
};

// The window of the 16 KiB bank that starts at file offset bank of rom (for
// MMC3, of the 8 KiB bank there too).
BankWindow FindBankWindow(const std::string& rom, std::int64_t bank);
// The same with the MMC1's control value (Mmc1Control) already found, for a
// caller that finds the window of every bank.
BankWindow FindBankWindow(const std::string& rom, std::int64_t bank, int mmc1Control);
// The value an MMC1 program writes most to the control register, -1 when
// it writes none the ROM shows (and for any other mapper).
int Mmc1Control(const std::string& rom);

// The window of each 8 KiB bank of an MMC3 program: the fixed ones, those
// the program selects by bank-select writes it makes (R6 at 8000, or at
// C000 with bit 6 of the 8000 write set; R7 at A000), and the others where
// more of their own calls and jumps land on their instructions.
std::vector<std::int32_t> Mmc3Windows(const std::string& rom);
// The window of the 8 KiB bank unit among those windows, with the one after
// it where it lies beside.
BankWindow Mmc3Window(const std::vector<std::int32_t>& windows, std::int64_t unit);

}  // namespace morvane
