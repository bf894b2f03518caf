// The processor definitions an 8-bit Code dump works from: what the Op_Codes
// file is read into, and the names by address that it and the Table List give.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

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

// What follows an opcode, by the placeholder its mode's format holds.
enum class OperandKind : std::int8_t {
  Relative = -1,  // "rrrr": one byte, a branch's distance
  None = 0,
  Byte = 1,  // "uu"
  Word = 2,  // "wwuu": low byte first
};

// The bytes an operand of kind takes.
constexpr int OperandBytes(OperandKind kind) {
  return kind == OperandKind::Word ? 2 : kind == OperandKind::None ? 0 : 1;
}

struct AddressingModeDef {
  std::string Format;
  OperandKind Operand = OperandKind::None;
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
// Reads only the name lines of an Op_Codes file ReadOpCodes has accepted
// into set, as ReadOpCodes would: for a dump that has its definitions from
// an earlier reading and only the Table List's titles to name over.
void ReadOpCodeNames(const std::string& path, OpcodeSet& set);

}  // namespace morvane
