// Finding the pointers that lead to a place in a ROM: 16-bit little-endian
// words, and low and high bytes at the same index of two tables, for each
// CPU address the place may have in the windows the mapper maps it to;
// ranked by how many pointers around them look like the same table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

// Where the PRG banks lie in the file and where the CPU sees them.
struct BankLayout {
  std::int64_t prgOffset = 0;  // file offset of the first PRG byte
  std::int64_t bankSize = 0x2000;
  std::vector<std::int32_t> bases;  // CPU addresses a bank may be mapped at
  std::string describe;             // e.g. "mapper 4, 8 KiB banks"
};

// The layout of a mapper (iNES number, -1 without a header) and PRG size.
BankLayout LayoutOf(int mapper, std::int64_t prgOffset, std::int64_t prgSize);

struct FoundPointer {
  bool split = false;
  std::int64_t low = 0;    // file offset of the low byte
  std::int64_t high = 0;   // and of the high byte
  int stride = 2;          // from one pointer to the next in its table
  std::int64_t first = 0;  // file offset of the table's first low byte
  int count = 1;           // pointers in the table around it, itself included
  int index = 0;           // its index in that table
  int distinct = 1;        // different values in the table: filler repeats one
  int ascending = 0;       // entries greater than the one before
};

struct PointerTarget {
  std::int32_t cpu = 0;                // the CPU address the place has
  std::int32_t base = 0;               // the window it lies in
  std::vector<FoundPointer> pointers;  // best first
};

// For each CPU address the file offset may have, the pointers to it.
std::vector<PointerTarget> FindPointersTo(const std::string& rom, const BankLayout& layout,
                                          std::int64_t offset);

// The CPU address of a file offset in a window at base.
std::int32_t CpuOf(const BankLayout& layout, std::int32_t base, std::int64_t offset);

}  // namespace morvane
