#include "export/Ca65Layout.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr std::int64_t kChrBank = 0x2000;

std::string BankSegment(int unit) {
  const std::string n = std::to_string(unit);
  return "BANK" + std::string(n.size() < 2 ? 2 - n.size() : 0, '0') + n;
}

}  // namespace

std::vector<FilePart> FileParts(const Disassembly& d) {
  std::vector<FilePart> parts;
  const auto fileSize = static_cast<std::int64_t>(d.rom.size());
  parts.push_back({"HEADER", 0, std::min(kINesHeaderSize, fileSize), 0, -1, false});
  if (d.header.prgOffset > kINesHeaderSize) {
    const std::int64_t size = std::min(d.header.prgOffset, fileSize) - kINesHeaderSize;
    if (size > 0) parts.push_back({"TRAINER", kINesHeaderSize, size, 0x7000, -1, false});
  }
  for (std::size_t u = 0; u < d.units.size(); ++u) {
    const RomUnit& unit = d.units[u];
    parts.push_back({BankSegment(static_cast<int>(u)), unit.offset, unit.size, unit.base,
                     static_cast<int>(u), false});
  }
  std::int64_t at = d.prgEnd;
  const std::int64_t chr = std::min(d.header.chrBanks * kChrBank, fileSize - at);
  if (chr > 0) {
    parts.push_back({"CHR", at, chr, 0, -1, true});
    at += chr;
  }
  if (at < fileSize) parts.push_back({"TAIL", at, fileSize - at, 0, -1, false});
  return parts;
}

}  // namespace morvane
