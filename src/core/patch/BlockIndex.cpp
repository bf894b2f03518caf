#include "patch/BlockIndex.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include <sys/mman.h>

namespace morvane {

namespace {

// Strings up to this many positions are indexed at every position.
constexpr std::size_t kDenseSlots = std::size_t{1} << 16;
constexpr std::size_t kMaxStride = 16;
constexpr std::size_t kAhead = 16;

}  // namespace

BlockIndex::BlockIndex(std::string_view bytes)
    : bytes_(bytes),
      stride_(std::min(std::bit_ceil((bytes.size() + kDenseSlots - 1) / kDenseSlots), kMaxStride)),
      slots_(bytes.size() < kBlock ? 0 : (bytes.size() - kBlock) / stride_ + 1),
      // About one bucket for every four slots: buckets rarely fill.
      bits_(std::max(4, static_cast<int>(std::bit_width(slots_)) - 3)),
      tableBytes_(sizeof(Bucket) << bits_) {
  // Zeroed pages of their own, in large pages where the system offers them:
  // lookups land anywhere in the table, and small pages would cost a page
  // table walk each.
  void* table =
      ::mmap(nullptr, tableBytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (table == MAP_FAILED) throw std::bad_alloc();
  (void)::madvise(table, tableBytes_, MADV_HUGEPAGE);
  table_ = static_cast<Bucket*>(table);
}

BlockIndex::~BlockIndex() {
  ::munmap(table_, tableBytes_);
}

std::uint64_t BlockIndex::Hash(const char* block) {
  std::uint64_t word;
  std::memcpy(&word, block, sizeof word);
  static_assert(sizeof word == kBlock);
  return word * 0x9E3779B97F4A7C15ull;
}

void BlockIndex::addUpTo(std::size_t end) {
  for (; filed_ < slots_ && filed_ * stride_ < end; ++filed_) {
    // The buckets of the slots a few ahead are fetched meanwhile.
    if (filed_ + kAhead < slots_) prefetch(bytes_.data() + (filed_ + kAhead) * stride_);
    const std::uint64_t h = Hash(bytes_.data() + filed_ * stride_);
    std::uint32_t* ways = table_[bucket(h)].ways;
    for (std::size_t w = kWays - 1; w > 0; --w) ways[w] = ways[w - 1];
    ways[0] = tagOf(h) | static_cast<std::uint32_t>(filed_ + 1);
  }
}

std::size_t BlockIndex::find(const char* block, std::size_t (&found)[kWays]) const {
  const std::uint64_t h = Hash(block);
  const std::uint32_t* ways = table_[bucket(h)].ways;
  const std::uint32_t tag = tagOf(h);
  std::size_t n = 0;
  for (std::size_t w = 0; w < kWays && ways[w] != 0; ++w)
    if ((ways[w] & ~kSlotMask) == tag) found[n++] = ((ways[w] & kSlotMask) - 1) * stride_;
  return n;
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
