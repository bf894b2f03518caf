// What a routine that takes its return address off the stack does with the
// bytes after its calls, gathered one instruction at a time.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace morvane {

// What a called routine does with its return address.
struct Callee {
  enum Kind { Returns, Engine, Terminated, Prefixed, Counted, Unknown } kind = Returns;
  // The terminator (kHighBit: the first byte with bit 7 set), the count of
  // bytes after the call, which of them (from 1) gives the length of the
  // bytes that follow it, or for an engine what its table's entries are
  // short of their targets.
  int value = 0;
  // Counted: where among the bytes after the call the address lies that
  // the routine goes on to; -1 for none.
  int jumpAt = -1;
  // Prefixed: how many bytes follow per unit of the length.
  int unit = 1;
  // Counted: a path returns without touching the stack, so the bytes are
  // an instruction the other paths skip.
  bool alsoReturns = false;
  static constexpr int kHighBit = -1;
};

class CalleeScan {
 public:
  // A new path through the routine: what the registers hold is unknown.
  // called: a path through a routine the routine calls, which counts only
  // for a loop over the bytes it reads through the return address.
  // clean: the path leaves the routine's start, or a branch taken before
  // the routine touched the stack.
  void path(bool called = false, bool clean = false);
  // Whether the current path has not touched the stack yet.
  bool clean() const { return clean_; }
  void step(std::uint8_t op, std::int32_t operand);
  // An instruction another path scanned already: only whether this one
  // returns with the stack untouched counts.
  void revisit(std::uint8_t op);
  Callee verdict() const;

 private:
  // Where the flags come from for the next branch.
  enum class Flags { Other, Inline, Compared };
  // Which byte after the return address was stored at a (-1: not known
  // which), -2 for none.
  int storedAt(std::int32_t a) const;
  // A store of a byte after the call: where it went, which byte (-2 for
  // one not known), and how many had been read by then.
  struct InlineStore {
    int at = 0;
    int which = 0;
    int readsBefore = 0;
  };
  // The last store of a byte after the call to a; null for none.
  const InlineStore* lastStore(std::int32_t a) const;
  // Follows what the flags and A hold for the branches: a loop up to a
  // terminator.
  void loops(std::uint8_t op, std::int32_t operand);
  // Whether the pointer at a holds the return address.
  bool holdsReturn(std::int32_t a) const;

  // Per path.
  bool inlineA_ = false;       // A holds a byte read through the pointer
  bool pushedInline_ = false;  // and so does the value pushed last
  Flags flags_ = Flags::Other;
  int compared_ = 0;
  bool afterPull_ = false;  // the instruction before was the first pull
  bool called_ = false;     // a routine the routine calls
  bool clean_ = false;      // the stack not touched on this path yet
  int y_ = -1;              // Y, when known
  int offset_ = -1;         // which byte after the return address A holds, when known
  // Over the routine.
  bool pulled_ = false;
  std::int32_t pulledLo_ = -1;         // where the low byte of the return address went
  std::int32_t stackLo_ = -1;          // or where it lies on the stack
  std::vector<std::int32_t> aliases_;  // copies of the pointer to it
  std::int32_t lastLoad_ = -1;         // what the last lda zp or abs loaded
  std::vector<InlineStore> inlineStores_;
  int lengthAt_ = 1;  // which byte after the return address is a length
  int jumpAt_ = -1;
  bool loop_ = false, prefixed_ = false, shifts_ = false, indirectJump_ = false;
  bool rts_ = false, jumpsInline_ = false, plainReturn_ = false;
  int reads_ = 0, unit_ = 1;  // bytes after the call read, and per unit of a length
  int terminator_ = 0, added_ = -1, lastIndex_ = 0, incs_ = 0, pushes_ = 0, pushesInline_ = 0;
};

}  // namespace morvane
