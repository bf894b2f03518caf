// The model of a whole ROM's disassembly that the export's writers work
// from: the stretches of PRG ROM and the CPU addresses they run at, what
// each file byte is (an instruction, an operand, data), the labels, the
// comments and the values of address tables and immediates the trace
// proved to be addresses.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "dump/CodeDump.h"
#include "dump/TableList.h"
#include "labels/LabelSet.h"
#include "labels/LabelStore.h"
#include "rom/INesHeader.h"

namespace morvane {

// A stretch of PRG ROM laid out at one CPU address: a 16 KiB bank, or 32 KiB
// for a ROM that small or a mapper that switches 32 KiB at once.
struct RomUnit {
  std::int64_t offset = 0;  // in the file
  std::int32_t size = 0;
  std::int32_t base = 0;  // the CPU address of its first byte
  int bank = -1;          // its number when it is switched in and out, else -1
  std::string prefix;     // of its labels: "b03_" for bank 3, "" when fixed

  bool covers(std::int64_t a) const { return a >= base && a < base + size; }
};

enum class ByteKind : std::uint8_t { Data, Opcode, Operand };

// A byte that holds part of an address: the low or high byte of value, or a
// whole word starting there.
struct AddressPart {
  enum Part : std::uint8_t { Low, High, Word } part = Word;
  std::int32_t value = 0;  // the address the entry means
  int less = 0;            // what the stored value is short of it (a return's -1)
};

// Its labels, comments and notes are a LabelStore: the dump's listing keeps
// its names in the same store.
struct Disassembly : LabelStore {
  std::string rom;
  INesHeader header;
  std::int64_t prgEnd = 0;  // the file offset after the PRG ROM the file holds
  std::vector<RomUnit> units;
  std::vector<ByteKind> kind;                 // by file offset, PRG ROM only
  std::vector<std::uint8_t> traced;           // the trace's ByteRole by file offset
  std::map<std::int64_t, AddressPart> parts;  // by file offset
  // Code the source holds as bytes, with the instruction in a comment: an
  // unofficial opcode the flow runs into, an instruction cut by a bank's end.
  std::map<std::int64_t, std::string> asBytes;  // by file offset: the comment

  // The unit holding a file offset, -1 for none.
  int unitAt(std::int64_t offset) const;
  // The unit that CPU address a means for code in unit from: its own, or a
  // unit that is never switched out; -1 when it is not known which bank.
  int unitFor(int from, std::int64_t a) const;
  // Whether an instruction or data line starts at a file offset.
  bool lineStart(std::int64_t offset) const {
    return kind[static_cast<std::size_t>(offset)] != ByteKind::Operand;
  }
  // The name for CPU address a seen from unit from, with "+N" when a lies
  // inside a line; a hex number when nothing names it.
  std::string operand(int from, std::int64_t a) const;
};

// What the user gives the export beside the ROM.
struct ExportInputs {
  const OpcodeSet* ops = nullptr;  // register and variable names, may be null
  // A code/data log's marks per byte of PRG ROM (trace/CodeDataLog.h), may be null.
  const std::vector<std::uint8_t>* logged = nullptr;
  const LabelSet* labels = nullptr;  // from label files, may be null
  // A Table List (its titles in ops' read names), may be null: its tables
  // are data, titled at their start, in the units that never switch.
  const TableMap* tables = nullptr;
};

// Traces every bank of rom and builds its model; throws JobError when the
// file has no iNES header.
Disassembly BuildDisassembly(const std::string& rom, const std::array<OpcodeShape, 256>& shapes,
                             const ExportInputs& names);

// What the model says of each byte of PRG ROM, as a code/data log marks it
// (trace/CodeDataLog.h), and the 8 KiB slot of the CPU window it runs in.
void LogMarksOf(const Disassembly& d, std::vector<std::uint8_t>& marks,
                std::vector<std::uint8_t>& slots);

// A name ca65 takes as a symbol: a letter or _ then letters, digits, _.
bool IsSymbolName(const std::string& name);

}  // namespace morvane
