// The processor and table definitions an 8-bit Code dump works from: what the
// Op_Codes file and the Table List file are read into.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <string>

namespace morvane {

// Option bits of an addressing mode.
enum ModeFlag : int {
  kFlagEnd = 1,
  kFlagSpace = 2,
  kFlagAddress = 4,
  kFlagLbl = 8,
  kFlagTbl = 16,
  kFlagConstant = 32,
  kFlagVbl = 64,
  kFlagLCase = 128,
  kFlagRead = 256,
  kFlagWrite = 512,
  kFlagPoNd = 1024,
  kFlagBad = 2048,
};

struct AddressingModeDef {
  std::string Format;
  int OperandKind = 0;  // 0 none, 1 "uu", 2 "wwuu", -1 relative "rrrr"
  int Flags = 0;
};

struct OpcodeDef {
  int Mode = 0;  // slot in AddressingModeDef, 0 when the line names none
  std::string Mnemonic;
  std::string Comment;
};

inline constexpr int kModeSlots = 128;      // slot 0 stays empty; 1..127 from the file
inline constexpr int kNameSlots = 0x10001;  // CPU addresses 0..10000h

// Names by CPU address 0 to 10000h, empty where none is defined. Few
// addresses carry a name, so only those take room.
class NameTable {
 public:
  const std::string& operator[](std::size_t address) const {
    const auto it = names_.find(address);
    return it == names_.end() ? kNone : it->second;
  }
  // Stores name at address (an empty name removes it); addresses past the
  // table are ignored.
  void set(std::size_t address, std::string name) {
    if (address >= size()) return;
    if (name.empty()) {
      names_.erase(address);
    } else {
      names_[address] = std::move(name);
    }
  }
  static constexpr std::size_t size() { return kNameSlots; }

 private:
  static inline const std::string kNone;
  std::unordered_map<std::size_t, std::string> names_;
};

struct OpcodeSet {
  std::array<AddressingModeDef, kModeSlots> modes{};
  std::array<OpcodeDef, 256> opcodes{};
  NameTable ReadNames;
  NameTable WriteNames;
};

// The addressing mode of op; slot 0 (no operand, no options) for a slot out of range.
inline const AddressingModeDef& ModeOf(const OpcodeSet& set, const OpcodeDef& op) {
  return set.modes[op.Mode >= 0 && op.Mode < kModeSlots ? static_cast<std::size_t>(op.Mode) : 0];
}

// Reads the Op_Codes file into set (whose names may already hold Table List
// titles). Throws JobError::Minor (the problem as title, the path as message)
// for a file it rejects, JobError for an unreadable file or a name address
// above 10000h.
void ReadOpCodes(const std::string& path, OpcodeSet& set);

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
