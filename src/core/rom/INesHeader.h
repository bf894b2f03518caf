// The 16-byte iNES header at the front of a NES ROM file, with the fields of
// NES 2.0 that the jobs read: the one place that parses it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace morvane {

inline constexpr std::int64_t kINesHeaderSize = 16;
inline constexpr std::int64_t kTrainerSize = 512;
inline constexpr std::int64_t kPrgBankSize = 0x4000;  // 16 KiB

struct INesHeader {
  bool present = false;  // the file starts with a header
  int prgBanks = 0;      // 16 KiB units, with NES 2.0's high bits
  int chrBanks = 0;      // 8 KiB units from byte 5 only; 0 is CHR-RAM
  int mapper = 0;
  std::int64_t prgOffset = kINesHeaderSize;  // 16, or 528 after a trainer
};

// The header of a file: present only when the file holds 16 bytes or more
// and starts with "NES" and 1Ah. A NES 2.0 header adds four mapper bits and
// the high bits of the PRG size (unless it is given as a power of two). An
// iNES header takes byte 7's mapper bits only when bytes 12 to 15 are clear,
// as old dumps carry text there ("DiskDude!").
INesHeader ReadINesHeader(std::string_view file);

// The file offset of CHR-ROM (after the header, a trainer and the PRG-ROM);
// nullopt for a file without a header or without CHR-ROM.
std::optional<std::size_t> ChrRomStart(std::string_view file);

}  // namespace morvane
