#include "trace/BankWindow.h"

#include <map>
#include <vector>

#include "rom/INesHeader.h"
#include "shell/Values.h"
#include "trace/Opcodes6502.h"

namespace morvane {

namespace {

using namespace op6502;

constexpr std::int64_t kBank = 0x4000;
constexpr int kNotRead = -2;  // the MMC1's control value, not looked for yet

bool SwitchesAll32K(int mapper) {
  for (const int m : {7, 11, 34, 38, 66, 79, 86, 113, 140, 144, 241}) {
    if (m == mapper) return true;
  }
  return false;
}

int At(const std::string& rom, std::int64_t o) {
  return o >= 0 && o < static_cast<std::int64_t>(rom.size())
             ? static_cast<unsigned char>(rom[static_cast<std::size_t>(o)])
             : -1;
}

// The values the program writes to the MMC1's control register (8000-9FFF,
// five writes a bit at a time): lda #v right before the first write, or
// before a call of a routine that makes them. Values with bit 7 reset the
// shift register and say nothing of the mode.
std::map<int, int> Mmc1Controls(const std::string& rom, const INesHeader& h) {
  const std::int64_t from = h.prgOffset, to = h.prgOffset + h.prgBanks * kBank;
  std::map<int, int> seen;
  std::vector<std::int64_t> writers;  // file offsets of the first write
  for (std::int64_t o = from; o + 4 < to; ++o) {
    const bool write = At(rom, o) == kStaAbs && At(rom, o + 2) >= 0x80 && At(rom, o + 2) < 0xA0;
    if (!write || At(rom, o + 3) != kLsrA) continue;
    if (At(rom, o - 2) == kLdaImm && At(rom, o - 1) < 0x80) ++seen[At(rom, o - 1)];
    if (At(rom, o - 1) != kLsrA) writers.push_back(o);
  }
  for (std::int64_t o = from; o + 2 < to; ++o) {
    if (At(rom, o) != kJsr || At(rom, o - 2) != kLdaImm || At(rom, o - 1) >= 0x80) continue;
    const std::int32_t target = At(rom, o + 1) | At(rom, o + 2) << 8;
    for (const std::int64_t w : writers) {
      // The routine may count its bits first (ldx #5); its bank lies at
      // 8000 or at C000.
      const std::int64_t inBank = (w - from) % kBank;
      for (const std::int32_t base : {0x8000, 0xC000}) {
        const std::int64_t at = base + inBank;
        if (target <= at && target >= at - 2) ++seen[At(rom, o - 1)];
      }
    }
  }
  return seen;
}

// How many of the bank's absolute calls and jumps that land in it land on
// an instruction of a sweep from its start, less those that land inside
// one, with the bank at base.
long Landings(const std::string& rom, std::int64_t bank, std::int32_t base) {
  std::vector<bool> start(kBank);
  std::vector<std::int32_t> targets;
  for (std::int64_t i = 0; i < kBank && At(rom, bank + i) >= 0;) {
    const auto op = static_cast<std::uint8_t>(At(rom, bank + i));
    start[static_cast<std::size_t>(i)] = true;
    if (op == kJsr || op == kJmp)
      targets.push_back(At(rom, bank + i + 1) | At(rom, bank + i + 2) << 8);
    i += Official(op) ? 1 + OperandLength(op) : 1;
  }
  long score = 0;
  for (const std::int32_t t : targets) {
    if (t >= base && t < base + kBank) score += start[static_cast<std::size_t>(t - base)] ? 1 : -1;
  }
  return score;
}

}  // namespace

BankWindow Mmc3Window(const std::vector<std::int32_t>& w, std::int64_t unit) {
  const auto u = static_cast<std::size_t>(unit);
  if (u >= w.size()) return {0x8000, "outside the PRG ROM"};
  const std::string why = "the MMC3's bank selects and the bank's own calls: 8 KiB bank " +
                          std::to_string(unit) + " at " + HexWord(w[u]);
  if (u + 1 < w.size() && w[u + 1] == w[u] + 0x2000) {
    return {w[u], why + ", " + std::to_string(unit + 1) + " at " + HexWord(w[u + 1])};
  }
  const std::string next = u + 1 < w.size() ? ", " + std::to_string(unit + 1) + " at " +
                                                  HexWord(w[u + 1]) + ": dumped on its own"
                                            : "";
  return {w[u], why + next, 0x2000};
}

int Mmc1Control(const std::string& rom) {
  const INesHeader h = ReadINesHeader(rom);
  if (!h.present || h.mapper != 1) return -1;
  int control = -1, most = 0;
  for (const auto& [value, count] : Mmc1Controls(rom, h)) {
    if (count > most) control = value, most = count;
  }
  return control;
}

BankWindow FindBankWindow(const std::string& rom, std::int64_t bank) {
  return FindBankWindow(rom, bank, kNotRead);
}

BankWindow FindBankWindow(const std::string& rom, std::int64_t bank, int mmc1Control) {
  const INesHeader h = ReadINesHeader(rom);
  const std::int64_t n = h.present ? (bank - h.prgOffset) / kBank : -1;
  const std::string mapper = "mapper " + std::to_string(h.mapper);
  if (h.present && h.prgBanks == 1) return {0xC000, "16 KiB of PRG ROM, seen at 8000 and C000"};
  if (h.present && h.prgBanks == 2) {
    return {n == 0 ? 0x8000 : 0xC000, "32 KiB of PRG ROM fill 8000-FFFF"};
  }
  if (h.present && n >= 0 && n < h.prgBanks) {
    if (SwitchesAll32K(h.mapper)) {
      return {n % 2 == 0 ? 0x8000 : 0xC000, "half of a 32 KiB bank " + mapper + " switches whole"};
    }
    if (h.mapper == 4 && h.prgBanks > 2)
      return Mmc3Window(Mmc3Windows(rom), (bank - h.prgOffset) / 0x2000);
    if (n == h.prgBanks - 1) return {0xC000, "the last bank, which " + mapper + " fixes at C000"};
    if (h.mapper == 180) return {n == 0 ? 0x8000 : 0xC000, mapper + " fixes the first bank"};
    if (h.mapper == 2) return {0x8000, "the bank " + mapper + " switches at 8000"};
    if (h.mapper == 1) {
      const int control = mmc1Control == kNotRead ? Mmc1Control(rom) : mmc1Control;
      const std::string by = "the MMC1's control register set to " + HexByte(control);
      if (control >= 0) {
        switch (control >> 2 & 3) {
          case 2:
            return {n == 0 ? 0x8000 : 0xC000, by + ": the first bank fixed at 8000, C000 switched"};
          case 3:
            return {0x8000, by + ": 8000 switched, the last bank fixed at C000"};
          default:
            return {n % 2 == 0 ? 0x8000 : 0xC000, by + ": 32 KiB switched whole"};
        }
      }
    }
  }
  const long low = Landings(rom, bank, 0x8000);
  const long high = Landings(rom, bank, 0xC000);
  const std::string counted = "the bank's own calls and jumps (" + std::to_string(low) +
                              " at 8000, " + std::to_string(high) + " at C000)";
  if (high > low) return {0xC000, counted};
  if (low > high) return {0x8000, counted};
  return {0x8000, h.present ? mapper + " switches 8000" : "no iNES header: taken to lie at 8000"};
}

}  // namespace morvane
