// Where short blocks of a byte string occur: every stride-th position is filed
// under a hash of the kBlock bytes that start there, and a lookup lists the
// latest positions filed under the same hash. A match of at least
// stride + kBlock - 1 bytes holds a filed position, so it is found by looking
// up stride positions in a row; the stride grows with the string so that the
// index takes at most about a quarter of a byte per byte of it.
//
// The positions sit in buckets of kWays, latest first, the oldest dropped when
// a bucket is full, so that a lookup reads one cache line. Each entry carries
// a few more bits of its block's hash, so that most blocks that merely share
// a bucket are passed over without reading their bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace morvane {

class BlockIndex {
 public:
  static constexpr std::size_t kBlock = 8;
  static constexpr std::size_t kWays = 8;

  // Indexes nothing yet; bytes must outlive the index and be at most 256 MiB.
  explicit BlockIndex(std::string_view bytes);
  ~BlockIndex();
  BlockIndex(const BlockIndex&) = delete;
  BlockIndex& operator=(const BlockIndex&) = delete;

  std::size_t stride() const { return stride_; }
  // Files the positions below end that are due and not filed yet, in rising order.
  void addUpTo(std::size_t end);
  // Passes over the positions below end that are not filed yet: they are never filed.
  void skipTo(std::size_t end) {
    filed_ = std::max(filed_, std::min(slots_, (end + stride_ - 1) / stride_));
  }

  // Up to kWays filed positions whose block may equal the kBlock bytes at
  // block, latest first, into found; returns how many.
  std::size_t find(const char* block, std::size_t (&found)[kWays]) const;
  // Fetches the bucket of block into the cache ahead of a lookup.
  void prefetch(const char* block) const { __builtin_prefetch(&table_[bucket(Hash(block))]); }

 private:
  static constexpr int kTagBits = 7;
  static constexpr std::uint32_t kSlotMask = (std::uint32_t{1} << (32 - kTagBits)) - 1;

  static std::uint64_t Hash(const char* block);
  std::size_t bucket(std::uint64_t h) const { return static_cast<std::size_t>(h >> (64 - bits_)); }
  // The hash bits just below the bucket's, in an entry's top bits.
  std::uint32_t tagOf(std::uint64_t h) const {
    return static_cast<std::uint32_t>(h >> (64 - bits_ - kTagBits)) << (32 - kTagBits);
  }

  std::string_view bytes_;
  std::size_t stride_;
  std::size_t slots_;      // positions that can be filed
  std::size_t filed_ = 0;  // slots filed so far
  int bits_;
  // Entries tag | slot + 1, latest first; 0 for none.
  struct alignas(kWays * 4) Bucket {
    std::uint32_t ways[kWays];
  };
  Bucket* table_;  // 1 << bits_ buckets, mapped apart (see the constructor)
  std::size_t tableBytes_;
};

// How many bytes from a[i] on equal those from b[j] on, up to either end.
std::size_t CommonLength(std::string_view a, std::size_t i, std::string_view b, std::size_t j);

}  // namespace morvane
