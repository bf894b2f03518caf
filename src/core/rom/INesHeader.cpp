#include "rom/INesHeader.h"

namespace morvane {

INesHeader ReadINesHeader(std::string_view file) {
  INesHeader h;
  if (file.size() < kINesHeaderSize || file.substr(0, 4) != "NES\x1A") return h;
  const auto at = [&](std::size_t i) { return static_cast<std::uint8_t>(file[i]); };
  h.present = true;
  h.prgBanks = at(4);
  h.chrBanks = at(5);
  h.mapper = at(6) >> 4;
  if ((at(7) & 0x0C) == 0x08) {
    h.mapper |= (at(7) & 0xF0) | (at(8) & 0x0F) << 8;
    if ((at(9) & 0x0F) != 0x0F) h.prgBanks |= (at(9) & 0x0F) << 8;
  } else if (at(12) == 0 && at(13) == 0 && at(14) == 0 && at(15) == 0) {
    h.mapper |= at(7) & 0xF0;
  }
  h.prgOffset = kINesHeaderSize + ((at(6) & 4) != 0 ? kTrainerSize : 0);
  return h;
}

std::optional<std::size_t> ChrRomStart(std::string_view file) {
  const INesHeader h = ReadINesHeader(file);
  if (!h.present || h.chrBanks == 0) return std::nullopt;
  return static_cast<std::size_t>(h.prgOffset + h.prgBanks * kPrgBankSize);
}

}  // namespace morvane
