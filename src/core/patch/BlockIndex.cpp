#include "patch/BlockIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace morvane {

BlockIndex::BlockIndex(std::string_view bytes)
    : bytes_(bytes),
      bits_(std::clamp(static_cast<int>(std::bit_width(bytes.size())), 8, 22)),
      heads_(std::size_t{1} << bits_, kNone),
      chain_(bytes.size(), kNone) {}

std::size_t BlockIndex::hash(const char* block) const {
  std::uint64_t word;
  std::memcpy(&word, block, sizeof word);
  static_assert(sizeof word == kBlock);
  return static_cast<std::size_t>((word * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
}

void BlockIndex::add(std::size_t pos) {
  std::uint32_t& head = heads_[hash(bytes_.data() + pos)];
  chain_[pos] = head;
  head = static_cast<std::uint32_t>(pos);
}

void BlockIndex::addAll() {
  for (std::size_t pos = 0; pos + kBlock <= bytes_.size(); ++pos) add(pos);
}

std::size_t CommonLength(std::string_view a, std::size_t i, std::string_view b, std::size_t j) {
  const std::size_t limit = std::min(a.size() - i, b.size() - j);
  std::size_t n = 0;
  while (n + 8 <= limit) {
    std::uint64_t x, y;
    std::memcpy(&x, a.data() + i + n, 8);
    std::memcpy(&y, b.data() + j + n, 8);
    if (x != y) {
      if constexpr (std::endian::native == std::endian::little)
        return n + static_cast<std::size_t>(std::countr_zero(x ^ y)) / 8;
      break;
    }
    n += 8;
  }
  while (n < limit && a[i + n] == b[j + n]) ++n;
  return n;
}

}  // namespace morvane
