#include "games/RomanciaEncoder.h"

namespace morvane {

namespace {

void Put(std::string& out, int value) {
  out.push_back(static_cast<char>(value));
}

// True when the three bytes from i are equal; the bank's trailing zero byte
// counts as data, anything beyond it does not.
bool ThreeEqual(const PatternBank& bank, int i) {
  return i + 2 <= kBankSize && bank[i] == bank[i + 1] && bank[i] == bank[i + 2];
}

}  // namespace

std::string EncodeBank(const PatternBank& bank) {
  std::string out;
  int j = 0;
  while (j < kBankSize) {
    // A run from j, even of a single byte.
    int i = j + 1;
    while (i < kBankSize && bank[i] == bank[j]) ++i;
    while (i - j > 127) {
      Put(out, 0xFF);
      Put(out, bank[j]);
      j += 127;
    }
    Put(out, 0x80 + (i - j));
    Put(out, bank[j]);
    j = i;
    // Then literals up to the next three equal bytes, 127 at most; a run
    // always follows a literal chunk.
    if (j < kBankSize && !ThreeEqual(bank, j)) {
      while (i < kBankSize && i - j < 127 && !ThreeEqual(bank, i)) ++i;
      Put(out, i - j);
      out.append(bank.begin() + j, bank.begin() + i);
      j = i;
    }
  }
  Put(out, 0x00);
  return out;
}

std::optional<std::int64_t> StreamLength(const std::string& rom, std::int64_t offset) {
  const auto size = static_cast<std::int64_t>(rom.size());
  std::int64_t at = offset;
  while (at >= 0 && at < size) {
    const auto chunk = static_cast<std::uint8_t>(rom[static_cast<std::size_t>(at)]);
    if (chunk == 0) return at - offset + 1;
    at += chunk < 0x80 ? 1 + chunk : 2;
  }
  return std::nullopt;
}

}  // namespace morvane
