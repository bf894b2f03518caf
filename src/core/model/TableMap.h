// What the tables of a Table List make of each CPU address: whether a table
// starts or ends there and how it is laid out.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace morvane {

// Options bits of a Table List entry.
enum TableOption : int {
  kTableStart = 1,
  kTableEnd = 2,
  kTableR = 4,
  kTableTbl = 8,
  kTableLbl = 16,
  kTableTxt = 32,
  kTablePat = 64,
  kTablePatr = 128,
  kTableChr = 256,
};

// Every field fits 16 bits (the reader enforces the ranges), which keeps the
// 65537 entries of a map small.
struct TableListEntry {
  std::int16_t Options = 0;
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::int16_t Skip1st = 0;
  std::int16_t Skip = 0;
  std::int16_t AddrOS = 0;
  std::int16_t IndexOS = 0;
  std::int32_t SplitPartner = -1;
  char OffChar = '_';
  char OnChar = '#';
  bool operator==(const TableListEntry&) const = default;
};

// One entry per CPU address 0 to 10000h. Only the 256-address pages that a
// Table List touches take room; every other address reads as the defaults.
class TableMap {
 public:
  static constexpr std::size_t kSize = 0x10001;

  std::size_t size() const { return kSize; }
  TableListEntry& operator[](std::size_t address) {
    auto& page = pages_[address >> 8];
    if (!page) page = std::make_unique<Page>();
    return (*page)[address & 0xFF];
  }
  // Whether the address's page holds entries of its own.
  bool has(std::size_t address) const { return pages_[address >> 8] != nullptr; }
  const TableListEntry& operator[](std::size_t address) const {
    const auto& page = pages_[address >> 8];
    return page ? (*page)[address & 0xFF] : kDefault;
  }

 private:
  using Page = std::array<TableListEntry, 256>;
  static inline const TableListEntry kDefault{};
  std::array<std::unique_ptr<Page>, (kSize + 255) / 256> pages_;
};
inline TableMap MakeTableMap() {
  return TableMap();
}

}  // namespace morvane
