// Where short blocks of a byte string occur: each indexed position is filed
// under a hash of the kBlock bytes that start there, and a lookup walks the
// positions filed under the same hash, latest first.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace morvane {

class BlockIndex {
 public:
  static constexpr std::size_t kBlock = 8;
  static constexpr std::uint32_t kNone = UINT32_MAX;

  // Indexes nothing yet; bytes must outlive the index and be under 4 GiB.
  explicit BlockIndex(std::string_view bytes);

  // Files position pos (pos + kBlock <= size); positions are added in rising order.
  void add(std::size_t pos);
  void addAll();
  // The latest indexed position whose block may equal the kBlock bytes at block.
  std::uint32_t first(const char* block) const { return heads_[hash(block)]; }
  // The indexed position before pos under the same hash.
  std::uint32_t next(std::uint32_t pos) const { return chain_[pos]; }

 private:
  std::size_t hash(const char* block) const;

  std::string_view bytes_;
  int bits_;
  std::vector<std::uint32_t> heads_;
  std::vector<std::uint32_t> chain_;
};

// How many bytes from a[i] on equal those from b[j] on, up to either end.
std::size_t CommonLength(std::string_view a, std::size_t i, std::string_view b, std::size_t j);

}  // namespace morvane
