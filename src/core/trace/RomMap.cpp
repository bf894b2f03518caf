#include "trace/RomMap.h"

#include <algorithm>

#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::int64_t kBank = kPrgBankSize;

}  // namespace

// Mappers that switch the whole 8000-FFFF window at once (AxROM, Color
// Dreams, BNROM, GxROM and their kin): no bank is fixed.
bool SwitchesAll32K(int mapper) {
  for (const int m : {7, 11, 34, 38, 66, 79, 86, 113, 140, 144, 241}) {
    if (m == mapper) return true;
  }
  return false;
}

int RomMap::blockOf(int bank) const {
  if (header_.prgBanks <= 0) return -1;
  // MMC3 numbers 8 KiB banks.
  const int unit = header_.mapper == 4 ? bank >> 1 : bank;
  return static_cast<int>(unit % header_.prgBanks);
}

void RomMap::place(const std::string& rom, std::int64_t offset, std::int64_t at,
                   std::int64_t size) {
  const auto fileSize = static_cast<std::int64_t>(rom.size());
  fileSize_ = fileSize;
  pieces_.push_back({offset, at, size});
  for (std::int64_t i = 0; i < size; ++i) {
    const std::int64_t a = at + i;
    const std::int64_t o = offset + i;
    if (a < 0 || a > 0xFFFF || o < 0 || o >= fileSize) continue;
    const auto slot = static_cast<std::size_t>(a);
    if (byte_[slot] >= 0) continue;
    byte_[slot] = static_cast<std::uint8_t>(rom[static_cast<std::size_t>(o)]);
  }
}

bool RomMap::mmc3(const std::string& rom, std::int64_t origin, std::int32_t base) {
  constexpr std::int64_t kUnit = 0x2000;
  const std::int64_t prg = header_.prgOffset, end = prg + header_.prgBanks * kBank;
  const std::int64_t at = base - origin;
  const bool fixedAt8000 = at == end - kBank && base == 0x8000;
  // At 8000 (the banks before the last two at C000) or the last block at
  // C000, as any other mapper.
  if ((base == 0x8000 && !fixedAt8000) || (base == 0xC000 && at == end - kBank)) return false;
  // 8 KiB banks where they run: the dumped one and the one after it where
  // it lies beside, below the last bank fixed at E000; the bank before the
  // last fixed at 8000, as it is when R6 switches C000.
  place(rom, at, base, kUnit);
  if (base + kUnit < 0xE000 && !fixedAt8000) place(rom, at + kUnit, base + kUnit, kUnit);
  place(rom, end - kUnit, 0xE000, kUnit);
  place(rom, end - 2 * kUnit, base == 0x8000 ? 0xC000 : 0x8000, kUnit);
  notes_.push_back("MMC3: the last 8 KiB bank is taken to lie at E000, the one before it at " +
                   std::string(base == 0x8000 ? "C000." : "8000."));
  if (base < 0xE000 && !fixedAt8000) {
    switchedFrom_ = base;
    switchedTo_ = std::min<std::int64_t>(base + kBank, 0xE000);
    switchedBank_ = (at - prg) / kBank;
  }
  return true;
}

RomMap::RomMap(const std::string& rom, std::int64_t origin, std::int32_t base)
    : header_(ReadINesHeader(rom)) {
  byte_.fill(-1);
  const auto fileSize = static_cast<std::int64_t>(rom.size());
  const std::int64_t prgSize = header_.prgBanks * kBank;
  std::int64_t prgHave = prgSize;
  if (header_.present) {
    prgHave = std::clamp<std::int64_t>(fileSize - header_.prgOffset, 0, prgSize);
    if (prgHave < prgSize) {
      notes_.push_back("The file holds " + std::to_string(prgHave) +
                       " bytes of PRG ROM where its " + "header says " + std::to_string(prgSize) +
                       ".");
    }
    if (prgSize == 0) notes_.push_back("The header says the file holds no PRG ROM.");
  }
  const std::int64_t prg = header_.prgOffset;
  if (header_.present && prgSize > 0 && prgSize <= 2 * kBank) {
    // All the PRG fits the window, whatever the mapper: 16 KiB shows at 8000
    // and again at C000; 32 KiB fills 8000-FFFF.
    place(rom, prg, 0x8000, prgSize);
    place(rom, prg, 0xC000, kBank);
    return;
  }
  if (header_.present && header_.mapper == 4 && prgSize > 2 * kBank && mmc3(rom, origin, base)) {
    return;
  }
  // The dumped block where the user puts it, then the bank the mapper fixes.
  place(rom, base - origin, base, kBank);
  if (!header_.present || prgSize < 2 * kBank) return;
  if (SwitchesAll32K(header_.mapper)) {
    // The whole 32 KiB switches: the dumped block's half of it completes it.
    const std::int64_t first = (base - origin - prg) / (2 * kBank) * (2 * kBank);
    place(rom, prg + first, 0x8000, 2 * kBank);
    return;
  }
  if (base == 0xC000 && base - origin != prg + prgSize - kBank) {
    // A switched bank dumped at C000: the mapper fixes the first bank at 8000
    // (MMC1 set to switch C000, mapper 180), or for an odd bank of MMC1 in
    // its 32 KiB mode, the bank before it is the other half of its pair.
    switchedBank_ = (base - origin - prg) / kBank;
    const bool upperHalf = header_.mapper == 1 && switchedBank_ % 2 == 1;
    const std::int64_t low = upperHalf ? switchedBank_ - 1 : 0;
    place(rom, prg + low * kBank, 0x8000, kBank);
    notes_.push_back("Bank " + std::to_string(low) + " is taken to lie at 8000 beside bank " +
                     std::to_string(switchedBank_) + " at C000.");
    switchedFrom_ = 0xC000;
    switchedTo_ = 0x10000;
    return;
  }
  place(rom, prg + prgSize - kBank, 0xC000, kBank);
  if (base == 0xC000 && base - origin == prg + prgSize - kBank) {
    for (std::int64_t bank = 0; bank + 1 < header_.prgBanks && (bank + 1) * kBank <= prgHave;
         ++bank) {
      otherBanks_.push_back(0x8000 - prg - bank * kBank);
    }
  }
  if (base < 0xC000) {
    switchedFrom_ = base;
    switchedTo_ = std::min<std::int64_t>(base + kBank, 0xC000);
    switchedBank_ = (base - origin - prg) / kBank;
  }
}

}  // namespace morvane
