#include "patch/Bps.h"

namespace morvane {

void PutBpsNumber(std::string& out, std::uint64_t value) {
  for (;;) {
    const auto low = static_cast<char>(value & 0x7F);
    value >>= 7;
    if (value == 0) {
      out += static_cast<char>(0x80 | low);
      return;
    }
    out += low;
    --value;
  }
}

int BpsNumberSize(std::uint64_t value) {
  int size = 1;
  while ((value >>= 7) != 0) {
    --value;
    ++size;
  }
  return size;
}

BpsChecksums BpsFooter(std::string_view patch) {
  BpsChecksums sums;
  if (patch.size() < 12) return sums;
  const auto word = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(patch[at + i]);
    return value;
  };
  const std::size_t at = patch.size() - 12;
  sums.source = word(at);
  sums.target = word(at + 4);
  sums.patch = word(at + 8);
  return sums;
}

}  // namespace morvane
