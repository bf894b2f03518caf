// The Table List (Tables.txt): where the data tables of an 8-bit Code dump
// lie and how each is laid out. Its types, its reader and the one writer of
// its lines, which the code finding's proposal and the trace both use.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "dump/Definitions.h"

namespace morvane {

// The first line of every Table List a job writes: the names of the fields.
inline constexpr const char* kTableListHeader =
    "Start\tEnd\tWidth\tHeight\tSkip1st\tSkip\tAddrOS\tIndexOS\tOptions\tTitle\r\n";

// One line of a Table List: the fields in their order (Start, End, Width,
// Height, Skip1st, Skip, AddrOS, IndexOS, Options, Title), joined by tabs
// and ended by CR LF. Fields after the last one given are left out.
std::string TableListLine(std::initializer_list<std::string_view> fields);

// An address as the written rows give it: four lower-case hex digits.
std::string TableListAddress(std::int64_t address);

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

struct TableListResult {
  bool needsCharTable = false;
  bool ok = false;
};

// Reads the Table List file into map and the titles into readNames; dumpEnd is
// the dump's End address. Throws JobError::Minor naming the file for a line
// it rejects (what was read before stays in map), JobError for an unreadable
// file, a Start above FFFFh or an End above 10000h.
TableListResult ReadTableList(const std::string& path, std::int32_t dumpEnd, TableMap& map,
                              NameTable& readNames);
// Copies the entry at start to every address from start + 1 to limit - 1.
void SpreadTable(std::int32_t start, std::int32_t limit, TableMap& map, NameTable& readNames);

}  // namespace morvane
