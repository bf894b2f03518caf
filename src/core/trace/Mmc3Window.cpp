// The window of each 8 KiB bank of an MMC3 program, from the bank-select
// writes its code makes.
#include <map>

#include "rom/INesHeader.h"
#include "trace/BankWindow.h"
#include "trace/Opcodes6502.h"

namespace morvane {

namespace {

using namespace op6502;

constexpr std::int64_t kUnit = 0x2000;

int At(const std::string& rom, std::int64_t o) {
  return o >= 0 && o < static_cast<std::int64_t>(rom.size())
             ? static_cast<unsigned char>(rom[static_cast<std::size_t>(o)])
             : -1;
}

bool LoadImm(int op) {
  return op == kLdaImm || op == kLdxImm || op == kLdyImm;
}
bool StoreAbs(int op) {
  return op == kStaAbs || op == kStxAbs || op == kStyAbs;
}
// A store to the bank-select (even) or bank-data (odd) register at o.
bool Writes(const std::string& rom, std::int64_t o, int low) {
  return StoreAbs(At(rom, o)) && At(rom, o + 1) == low && At(rom, o + 2) == 0x80;
}

// The register a routine at o selects before it writes the bank it is
// called with: ld? #s / st? 8000 / st? 8001 among its first bytes.
int SelectOfRoutine(const std::string& rom, std::int64_t o) {
  for (std::int64_t i = 0; i < 8; ++i) {
    if (LoadImm(At(rom, o + i)) && Writes(rom, o + i + 2, 0x00) && Writes(rom, o + i + 5, 0x01)) {
      return At(rom, o + i + 1);
    }
  }
  return -1;
}

// Counts of each (bank, register written) the code makes: ld? #s / st? 8000
// / ld? #v / st? 8001, and ld? #v / jsr to a routine that selects s.
std::map<std::pair<int, int>, int> Selections(const std::string& rom, const INesHeader& h) {
  const std::int64_t from = h.prgOffset, to = h.prgOffset + h.prgBanks * 2 * kUnit;
  std::map<std::pair<int, int>, int> seen;
  for (std::int64_t o = from; o + 10 <= to; ++o) {
    if (!LoadImm(At(rom, o))) continue;
    if (Writes(rom, o + 2, 0x00) && LoadImm(At(rom, o + 5)) && Writes(rom, o + 7, 0x01)) {
      ++seen[{At(rom, o + 6), At(rom, o + 1)}];
    }
    if (At(rom, o + 2) == kJsr) {
      const std::int32_t target = At(rom, o + 3) | At(rom, o + 4) << 8;
      // The routine lies in a fixed bank: the last at E000, the one before
      // it at C000 or 8000.
      const std::int64_t last = to - kUnit, before = to - 2 * kUnit;
      const std::int64_t at = target >= 0xE000   ? last + target - 0xE000
                              : target >= 0xC000 ? before + target - 0xC000
                              : target < 0xA000  ? before + target - 0x8000
                                                 : -1;
      const int s = at < 0 ? -1 : SelectOfRoutine(rom, at);
      if (s >= 0) ++seen[{At(rom, o + 1), s}];
    }
  }
  return seen;
}

// How many of the 8 KiB bank's calls and jumps that land in it land on an
// instruction of a sweep from its start, with the bank at base.
long Landings(const std::string& rom, std::int64_t bank, std::int32_t base) {
  std::vector<bool> start(kUnit);
  long score = 0;
  std::vector<std::int32_t> targets;
  for (std::int64_t i = 0; i < kUnit && At(rom, bank + i) >= 0;) {
    const auto op = static_cast<std::uint8_t>(At(rom, bank + i));
    start[static_cast<std::size_t>(i)] = true;
    if (op == kJsr || op == kJmp)
      targets.push_back(At(rom, bank + i + 1) | At(rom, bank + i + 2) << 8);
    i += Official(op) ? 1 + OperandLength(op) : 1;
  }
  for (const std::int32_t t : targets) {
    if (t >= base && t < base + kUnit) score += start[static_cast<std::size_t>(t - base)] ? 1 : -1;
  }
  return score;
}

}  // namespace

std::vector<std::int32_t> Mmc3Windows(const std::string& rom) {
  const INesHeader h = ReadINesHeader(rom);
  const int units = static_cast<int>(h.prgBanks * 2);
  if (!h.present || units < 4) return {};
  const auto seen = Selections(rom, h);
  // Bit 6 of the select writes: R6 switches C000, the bank before the last
  // is fixed at 8000.
  int high = 0, low = 0;
  for (const auto& [what, count] : seen) ((what.second & 0x40) != 0 ? high : low) += count;
  const bool c000 = high > low;
  std::vector<std::int32_t> windows(static_cast<std::size_t>(units), -1);
  for (const auto& [what, count] : seen) {
    const int bank = what.first % units, reg = what.second & 7;
    if (reg == 6 || reg == 7) {
      windows[static_cast<std::size_t>(bank)] = reg == 7 ? 0xA000 : c000 ? 0xC000 : 0x8000;
    }
  }
  windows[static_cast<std::size_t>(units - 1)] = 0xE000;
  windows[static_cast<std::size_t>(units - 2)] = c000 ? 0x8000 : 0xC000;
  // The others: beside their other half, unless clearly more of their own
  // calls land elsewhere.
  const std::int32_t first = c000 ? 0xA000 : 0x8000;
  for (int b = 0; b < units - 2; ++b) {
    auto& w = windows[static_cast<std::size_t>(b)];
    if (w >= 0) continue;
    const std::int64_t at = h.prgOffset + b * kUnit;
    const std::int32_t natural = first + (b % 2) * 0x2000;
    const std::int32_t other = natural == first ? first + 0x2000 : first;
    // A call or two that land by chance do not move a bank from beside its
    // other half.
    w = Landings(rom, at, other) > Landings(rom, at, natural) + 2 ? other : natural;
  }
  return windows;
}

}  // namespace morvane
