// What the CPU sees of a ROM file while its code is traced: which file byte
// lies at each CPU address, from the iNES header's mapper and the block the
// user dumps.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rom/INesHeader.h"

namespace morvane {

// Whether the mapper switches the whole 8000-FFFF window at once (AxROM,
// Color Dreams, BNROM, GxROM and their kin): no bank is fixed.
bool SwitchesAll32K(int mapper);

class RomMap {
  // A stretch of the file placed at a CPU address: a byte's offset comes
  // from the first one that maps it, so no table of offsets is kept.
  struct Piece {
    std::int64_t offset = 0;
    std::int64_t at = 0;
    std::int64_t size = 0;
  };

 public:
  // rom: the whole file; origin: the file offset of CPU address A is
  // A - origin; base: the CPU address of the dumped block's first byte.
  // Notes what it could not map (a file shorter than its header says).
  RomMap(const std::string& rom, std::int64_t origin, std::int32_t base);

  // The byte at a CPU address, -1 where nothing is mapped.
  int byte(std::int64_t a) const {
    return a >= 0 && a <= 0xFFFF ? byte_[static_cast<std::size_t>(a)] : -1;
  }
  bool mapped(std::int64_t a) const { return byte(a) >= 0; }
  // The file offset at a CPU address, -1 where nothing is mapped.
  std::int64_t offset(std::int32_t a) const {
    if (!mapped(a)) return -1;
    // Each piece skipped the addresses mapped before it, and the bytes past
    // either end of the file.
    for (const Piece& p : pieces_) {
      const std::int64_t o = p.offset + (a - p.at);
      if (a >= p.at && a < p.at + p.size && o >= 0 && o < fileSize_) return o;
    }
    return -1;
  }
  // The little-endian word at a and a + 1, -1 unless both are mapped.
  std::int32_t word(std::int64_t a) const {
    const int lo = byte(a);
    const int hi = byte(a + 1);
    return lo < 0 || hi < 0 ? -1 : lo | hi << 8;
  }
  // Whether a lies in the dumped block of a banked mapper: code elsewhere
  // that calls it may mean another bank.
  bool switched(std::int64_t a) const { return a >= switchedFrom_ && a < switchedTo_; }
  // Whether a bank number written to the mapper selects the dumped block.
  bool selects(int bank) const { return switchedBank_ >= 0 && blockOf(bank) == switchedBank_; }
  // The 16 KiB block of PRG ROM a bank number written to the mapper selects,
  // -1 without PRG ROM.
  int blockOf(int bank) const;
  // The other banks the mapper switches at 8000 when the dumped block is
  // the one it fixes (their CPU origins), to see what their code calls
  // there; none otherwise.
  const std::vector<std::int64_t>& otherBanks() const { return otherBanks_; }
  const INesHeader& header() const { return header_; }
  // The dumped block in 16 KiB units, -1 unless the mapper switches it.
  std::int64_t switchedBlock() const { return switchedBank_; }
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  // MMC3 with the dumped block at A000, C000 or E000, or the bank before
  // the last at 8000: maps its 8 KiB banks; false for the windows any other
  // mapper has.
  bool mmc3(const std::string& rom, std::int64_t origin, std::int32_t base);
  // Maps size bytes of the file from offset on at CPU address at, where
  // nothing is mapped yet.
  void place(const std::string& rom, std::int64_t offset, std::int64_t at, std::int64_t size);

  INesHeader header_;
  std::array<std::int16_t, 0x10000> byte_{};
  std::vector<Piece> pieces_;
  std::int64_t fileSize_ = 0;
  std::vector<std::string> notes_;
  std::int64_t switchedFrom_ = -1;
  std::int64_t switchedTo_ = -1;
  std::int64_t switchedBank_ = -1;  // the dumped block, in 16 KiB units
  std::vector<std::int64_t> otherBanks_;
};

}  // namespace morvane
