// Recursive descent over what the CPU sees: from the entry points, every
// instruction the program can reach is marked as code, the bytes its flow
// steps over (address tables, inline data after calls) as data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dump/CodeDump.h"
#include "trace/CalleeScan.h"
#include "trace/RomMap.h"

namespace morvane {

enum ByteRole : std::uint8_t { kRoleNone = 0, kRoleOpcode, kRoleOperand, kRoleData };

// An address table the traced code jumps through: words at start, or for a
// split table low bytes at start and high bytes at partner.
struct FoundTable {
  std::int32_t start = 0;
  std::int32_t count = 0;
  std::int32_t partner = -1;
  int addrOS = 0;         // 1 when the entries are pushed and reached by a return
  std::int32_t via = -1;  // for a table of pointers read through: the pointer
  bool operator<(const FoundTable& o) const { return start < o.start; }
};

class Tracer {
 public:
  // budget: the instructions speculative entries may still try, shared by
  // every tracer of one run, so that no input makes trying the gaps slow.
  Tracer(const RomMap& map, const std::array<OpcodeShape, 256>& shapes, std::int64_t& budget);

  // Traces from a; a speculative entry is dropped whole when its flow meets
  // an opcode that valid code does not hold.
  // least: the instructions a speculative entry must add unless it runs
  // into code already known.
  void trace(std::int32_t a, bool speculative, int least = 1);
  // Follows the address tables met so far, and those they lead to.
  void resolveTables();
  // Traces, each as a speculative entry, what the fixed bank calls in the
  // switched one.
  void followLater();
  // Tries every address from..to that nothing reached as a speculative
  // entry: code only ever called through pointers the trace cannot follow.
  void fillGaps(std::int32_t from, std::int32_t to);
  // Shows the opcode of each BIT that hides code as data.
  void showSkips();
  // Takes a as data whatever reaches it (a code/data log says so).
  void knownData(std::int32_t a) { setRole(a, kRoleData); }

  ByteRole role(std::int32_t a) const { return static_cast<ByteRole>(state_.role[idx(a)]); }
  bool code(std::int32_t a) const {
    const ByteRole r = role(a);
    return r == kRoleOpcode || r == kRoleOperand;
  }
  const std::vector<FoundTable>& tables() const { return state_.tables; }
  const std::vector<std::string>& notes() const { return notes_; }
  int length(std::uint8_t op) const { return length_[op]; }
  // Whether op never starts code the trace guesses at: undefined, a BRK that
  // is no call, or unofficial.
  bool bad(std::uint8_t op) const;

  struct Insn {
    std::int32_t a = 0;
    std::uint8_t op = 0;
    std::int32_t operand = 0;
  };

  // A jump or call into the switched window: where to, the bank the path
  // wrote to the mapper before it (-1: not known), and where from.
  struct FarCall {
    std::int32_t to = 0;
    int bank = -1;
    std::int32_t from = 0;
  };
  const std::vector<FarCall>& farCalls() const { return state_.farCalls; }

 private:
  // A table seen from its dispatch code, its length not known yet.
  struct Pending {
    std::int32_t lo = 0;
    std::int32_t hi = -1;  // the high bytes' table for a split table
    int addrOS = 0;
    int limit = 256;
    std::int32_t banks = -1;  // the bank of each entry, read by the same index
  };
  // A copy from ROM to RAM, and how far it reaches (a page by index, more
  // through pointers).
  struct RamCopy {
    std::int32_t rom = 0;
    std::int32_t ram = 0;
    std::int32_t reach = 0;
  };
  // A pointer set from immediates: where, and the address.
  struct SetPointer {
    std::int32_t at = 0;
    std::int32_t address = 0;
  };
  // A pointer set from tables by index: where, the low bytes' table and the
  // high bytes' (-1: they follow the low ones).
  struct TablePointer {
    std::int32_t at = 0;
    std::int32_t lo = 0;
    std::int32_t hi = -1;
  };
  // A table in RAM jumped through: its low bytes, its high bytes (-1: they
  // follow the low ones), and what its entries are short of.
  struct RamTable {
    std::int32_t lo = 0;
    std::int32_t hi = -1;
    std::int32_t addrOS = 0;
  };
  // An address stored from two immediates: where its low byte went, where
  // its high one, and the address.
  struct StoredAddress {
    std::int32_t lowAt = 0;
    std::int32_t highAt = 0;
    std::int32_t address = 0;
  };
  // An immediate stored to a zero-page or absolute address.
  struct StoredByte {
    std::int32_t at = 0;
    std::int32_t value = 0;
    bool operator==(const StoredByte&) const = default;
  };
  struct State {
    std::vector<std::uint8_t> role = std::vector<std::uint8_t>(0x10000);
    std::vector<FoundTable> tables;
    std::vector<Pending> pending;
    std::vector<std::int32_t> later;        // calls into the switched bank
    std::vector<std::int32_t> dataRefs;     // ROM addresses instructions read or write
    std::vector<std::int32_t> indexedRefs;  // those read by index
    std::vector<FoundTable> dataTables;     // tables of pointers read through
    std::vector<std::int32_t> recordRefs;   // the data those tables lead to
    std::vector<std::int32_t> jumpFeeds;    // pointers read through into a jump vector
    std::vector<RamCopy> copies;
    std::vector<std::int32_t> ramCalls;  // RAM addresses jumped or called to
    // Where the bytes after a call start whose routine reads them in a way
    // the trace does not know (a script it interprets).
    std::vector<std::int32_t> unknownAfter;
    std::vector<SetPointer> setPointers;
    std::vector<TablePointer> tablePointers;
    std::vector<RamTable> ramTables;
    std::vector<StoredAddress> storedAddresses;
    std::vector<StoredByte> storedBytes;
    std::vector<std::int32_t> readVectors;  // pointers read or written through
    std::vector<std::int32_t> jumpVectors;  // pointers jumped through
    std::vector<FarCall> farCalls;
    // Calls f on each list above: a speculative entry only adds to them.
    template <typename F>
    void eachList(F f) {
      f(tables), f(pending), f(later), f(dataRefs), f(indexedRefs), f(dataTables);
      f(recordRefs), f(jumpFeeds), f(copies), f(ramCalls), f(unknownAfter), f(setPointers);
      f(tablePointers), f(ramTables), f(storedAddresses), f(storedBytes), f(readVectors);
      f(jumpVectors), f(farCalls);
    }
  };
  // What a speculative entry changed, to take it back when it fails: each
  // role it set with the one before, and how long each list was.
  struct Undo {
    std::vector<std::pair<std::uint16_t, std::uint8_t>> roles;
    std::array<std::size_t, 19> sizes{};
  };
  // What one path knows of the mapper: the immediates A, X and Y hold, the
  // bank it selected last, the MMC3 register it names, and the writes left
  // of an MMC1 serial write.
  struct BankState {
    std::array<int, 3> held{-1, -1, -1};
    int bank = -1;
    int select = 6;
    int serial = 0;
  };

  static std::size_t idx(std::int32_t a) { return static_cast<std::size_t>(a & 0xFFFF); }
  // Traces every path from the work list; false when strict and one failed.
  bool drain(bool strict);
  bool runFrom(std::int32_t a, bool strict);
  // Where a jump or call from one address to another leads: into this
  // trace, into the switched bank (traced later), out of the ROM, nowhere.
  enum class Reach { Here, Later, Outside, Nowhere };
  // word: a JSR or JMP, which after a bank write the path made goes into
  // the bank it selected.
  Reach reachOf(std::int32_t from, std::int32_t to, bool word = false);
  // sure: a on a path from a sure entry, where unofficial opcodes are
  // followed.
  bool decode(std::int32_t a, Insn& in, bool sure = false) const;
  // Whether a starts a string of characters with its terminator.
  bool text(std::int32_t a) const;
  // Whether the byte before a is a traced BIT whose operand a is.
  bool bitSkip(std::int32_t a) const;
  // Whether the IRQ handler reads the return address a BRK pushed: the BRK
  // is then a call with a byte after it that names the service.
  bool brkReadsByte() const;
  // Marks the BRK at a and the byte after it, and steps a past them; false
  // where that cannot be a call.
  bool brkCall(std::int32_t& a);
  void setRole(std::int32_t a, ByteRole r) {
    std::uint8_t& at = state_.role[idx(a)];
    if (trying_) undo_.roles.emplace_back(static_cast<std::uint16_t>(idx(a)), at);
    at = r;
  }
  void markData(std::int32_t from, std::int32_t count);
  // After a return or an indirect jump: the table or target its last
  // instructions set up.
  void dispatch(const std::vector<Insn>& history, const Insn& in);
  // An instruction that reads or writes through a pointer in zero page: a
  // table its address came from holds pointers to data.
  void readThrough(const std::vector<Insn>& history);
  // A store to RAM of what was just loaded from ROM, by the same index or
  // through pointers set from immediates.
  void copies(const std::vector<Insn>& history);
  // A call with a pointer in two registers that the routine keeps in zero
  // page or RAM: a pointer set from immediates, as below.
  void passesPointer(const std::vector<Insn>& history, std::int32_t routine);
  // A call or a mapper write with A read from a table by index: the bank a
  // table read by the same index jumps into.
  void selectsBank(const std::vector<Insn>& history);
  // Follows what in does to the registers and the mapper.
  void tracksBank(const Insn& in);
  // A write of value (-1: not known) to the mapper at at.
  void mapperWrite(std::int32_t at, int value);
  // Whether the routine at a writes to the mapper, or calls one that does
  // (depth: how deep calls are followed): a bank switch; the MMC3 register
  // it names goes to select.
  bool switchRoutine(std::int32_t a, int& select, int depth = 1) const;
  // A store that completes a pointer from two immediates.
  void setsPointer(const std::vector<Insn>& history);
  // lda #a / sta x / lda #b / sta y: an address, stored anywhere in RAM.
  void storesAddress(const std::vector<Insn>& history);
  // A store of a register that holds an immediate, wherever it was loaded.
  void storesByte(const std::vector<Insn>& history);
  // Traces the addresses that the bytes stored into a pointer some JMP (p)
  // jumps through make, wherever the program stores its two halves.
  void followStoredPointers(std::int32_t from, std::int32_t to);
  void followStoredPointersOnce(std::int32_t from, std::int32_t to);
  // Traces what the tables in RAM the program jumps through are filled
  // with: a copy of a table in ROM, or addresses stored from immediates.
  void followRamTables();
  // Adds what pointers read through lead to to what is read, and traces
  // what the pointers jumped through lead to.
  void followPointers(std::int32_t from, std::int32_t to);
  // Traces what was copied to RAM where the program jumps or calls into
  // the copy.
  void traceCopies();
  // A call to a JMP (ind) through a vector in RAM: the caller set it up.
  void trampoline(const std::vector<Insn>& history, std::int32_t target);
  bool afterCall(const Insn& in, std::int32_t& next);
  // Where the path resumes after the bytes a call is followed by, from
  // their end at next: false when no valid code follows them.
  bool resumes(std::int32_t& next, const Callee& callee) const;
  Callee analyse(std::int32_t a) const;
  bool alwaysTaken(const std::vector<Insn>& history, const Insn& branch) const;
  // The target of entry i of a table, -1 when the entry is taken or does
  // not lead to what looks like code; lo and hi: where its bytes lie.
  std::int32_t entry(const Pending& p, int i, std::int32_t& lo, std::int32_t& hi) const;
  bool plausibleTarget(std::int32_t t) const;

  const RomMap& map_;
  std::array<int, 256> flags_{};
  std::array<OperandKind, 256> kind_{};
  std::array<int, 256> length_{};
  State state_;
  bool trying_ = false;  // whether a speculative entry is being tried
  Undo undo_;
  std::vector<std::int32_t> work_;
  std::int64_t& budget_;
  bool strict_ = false;    // whether the path being traced is a speculative one
  bool brkCalls_ = false;  // whether a BRK is a call followed by a byte its handler reads
  int added_ = 0;          // instructions the current speculative entry added
  bool joined_ = false;    // and whether it ran into known code
  Insn bankLoad_;          // the indexed load of the bank this path selected last
  BankState bank_;
  // Per routine called: whether it switches banks, and the MMC3 register it
  // names (-1: none).
  std::unordered_map<std::int32_t, std::pair<bool, int>> switches_;
  std::vector<bool> joins_ = std::vector<bool>(0x10000);  // the branches' targets
  mutable std::unordered_map<std::int32_t, Callee> callees_;
  std::vector<std::string> notes_;
};

}  // namespace morvane
