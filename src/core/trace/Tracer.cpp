#include "trace/Tracer.h"

#include <algorithm>

#include "trace/Opcodes6502.h"

namespace morvane {

namespace {

using namespace op6502;

constexpr std::size_t kHistory = 10;
// Jumps and calls to what is not mapped lead into code the program put in
// RAM or into another bank; below 0200 they lead nowhere code lives.
constexpr std::int32_t kRamCode = 0x0200;

}  // namespace

Tracer::Tracer(const RomMap& map, const std::array<OpcodeShape, 256>& shapes, std::int64_t& budget)
    : map_(map), budget_(budget) {
  for (std::size_t b = 0; b < 256; ++b) {
    flags_[b] = shapes[b].flags;
    kind_[b] = shapes[b].kind;
    length_[b] = 1 + OperandBytes(shapes[b].kind);
  }
  brkCalls_ = brkReadsByte();
}

bool Tracer::bad(std::uint8_t op) const {
  // A BRK in traced flow almost always means the trace left the code.
  return (flags_[op] & kFlagBad) != 0 || (op == kBrk && !brkCalls_) || !Official(op);
}

bool Tracer::decode(std::int32_t a, Insn& in, bool sure) const {
  const int b = map_.byte(a);
  if (b < 0) return false;
  const auto op = static_cast<std::uint8_t>(b);
  // An unofficial opcode the Op_Codes files define is taken only on a sure
  // path: in a stretch of data it is far likelier than in code.
  if (bad(op) && !(sure && !Official(op) && (flags_[op] & kFlagBad) == 0)) return false;
  in.a = a;
  in.op = static_cast<std::uint8_t>(b);
  const OperandKind kind = kind_[in.op];
  if (kind == OperandKind::None) return true;
  const int lo = map_.byte(a + 1);
  if (lo < 0) return false;
  if (kind == OperandKind::Word) {
    const int hi = map_.byte(a + 2);
    if (hi < 0) return false;
    in.operand = lo | hi << 8;
  } else if (kind == OperandKind::Relative) {
    in.operand = a + 2 + static_cast<std::int8_t>(lo);
  } else {
    in.operand = lo;
  }
  return true;
}

void Tracer::trace(std::int32_t a, bool speculative, int least) {
  work_.assign(1, a);
  if (!speculative) {
    drain(false);
    return;
  }
  // What the entry changes is logged and taken back if it fails, rather
  // than the whole state copied for every entry tried.
  std::size_t n = 0;
  state_.eachList([&](const auto& list) { undo_.sizes.at(n++) = list.size(); });
  undo_.roles.clear();
  trying_ = true;
  added_ = 0;
  joined_ = false;
  const bool failed = !drain(true) || (added_ < least && !joined_);
  trying_ = false;
  if (failed) {
    for (auto r = undo_.roles.rbegin(); r != undo_.roles.rend(); ++r)
      state_.role[r->first] = r->second;
    n = 0;
    state_.eachList([&](auto& list) { list.resize(undo_.sizes.at(n++)); });
  }
  work_.clear();
}

bool Tracer::drain(bool strict) {
  while (!work_.empty()) {
    const std::int32_t a = work_.back();
    work_.pop_back();
    if (!runFrom(a, strict) && strict) return false;
  }
  return true;
}

void Tracer::markData(std::int32_t from, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) {
    if (from + i <= 0xFFFF && role(from + i) == kRoleNone) setRole(from + i, kRoleData);
  }
}

bool Tracer::runFrom(std::int32_t a, bool strict) {
  std::vector<Insn> history;
  strict_ = strict;
  bankLoad_ = {};
  bank_ = {};
  for (;;) {
    if (a < 0 || a > 0xFFFF) return false;
    if (role(a) == kRoleOpcode) {
      joined_ = true;
      return true;
    }
    // Where other paths join, they may bring another bank.
    if (joins_[idx(a)]) bank_ = {};
    Insn in;
    if ((strict && --budget_ < 0) || !decode(a, in, !strict)) return false;
    if (in.op == kBrk) {
      if (!brkCall(a)) return false;
      history.clear();
      continue;
    }
    const int len = length_[in.op];
    const int flags = flags_[in.op];
    const OperandKind kind = kind_[in.op];
    if (a + len - 1 > 0xFFFF) return false;
    const bool skipped = bitSkip(a);
    for (int i = 0; i < len; ++i) {
      const ByteRole r = role(a + i);
      // Code that overlaps other code is taken only from a sure entry or
      // where a BIT hides it.
      const bool hidden = skipped && r == kRoleOperand && i < 2;
      if (r == kRoleData || (strict && r != kRoleNone && !hidden)) return false;
    }
    setRole(a, kRoleOpcode);
    ++added_;
    // What the code reads of the ROM; writes there go to the mapper.
    const bool store = (in.op & 0xE0) == 0x80;
    if (kind == OperandKind::Word && (flags & (kFlagTbl | kFlagVbl)) != 0 && in.operand >= 0x8000 &&
        !store) {
      state_.dataRefs.push_back(in.operand);
      if ((flags & kFlagTbl) != 0) state_.indexedRefs.push_back(in.operand);
    }
    for (int i = 1; i < len; ++i) {
      if (role(a + i) == kRoleNone) setRole(a + i, kRoleOperand);
    }
    if (history.size() == kHistory) history.erase(history.begin());
    history.push_back(in);
    if ((in.op & 0x1F) == kIndirectY) readThrough(history);
    if (in.op == kStaAbsX || in.op == kStaAbsY || in.op == kStaZpX || in.op == kStaIndY) {
      copies(history);
    }
    if (in.op == kJmpInd) {
      state_.jumpVectors.push_back(in.operand);
      // A vector read through a pointer: what that pointer leads to holds
      // addresses of code.
      for (std::size_t k = 1; k < history.size(); ++k) {
        const Insn& s = history[k];
        const bool intoVector = (s.op == kStaZp || s.op == kStaAbs) &&
                                (s.operand == in.operand || s.operand == in.operand + 1);
        if (intoVector && history[k - 1].op == kLdaIndY) {
          state_.jumpFeeds.push_back(history[k - 1].operand);
        }
      }
    }
    setsPointer(history);
    storesAddress(history);
    storesByte(history);
    selectsBank(history);
    std::int32_t next = a + len;
    const Reach reach =
        (flags & kFlagLbl) != 0 ? reachOf(a, in.operand, kind == OperandKind::Word) : Reach::Here;
    tracksBank(in);
    if ((flags & kFlagEnd) != 0) {
      if (kind == OperandKind::Word && (flags & kFlagLbl) != 0) {
        if (reach != Reach::Here) return reach != Reach::Nowhere;
        a = in.operand;
        history.clear();
        continue;
      }
      dispatch(history, in);
      return true;
    }
    if ((flags & kFlagLbl) != 0 && kind == OperandKind::Relative) {
      if (reach != Reach::Here) return false;
      work_.push_back(in.operand);
      joins_[idx(in.operand)] = true;
      if (alwaysTaken(history, in)) return true;
    } else if ((flags & kFlagLbl) != 0 && kind == OperandKind::Word) {
      if (reach == Reach::Nowhere) return false;
      if (reach == Reach::Here) {
        work_.push_back(in.operand);
        if (in.op == kJsr) trampoline(history, in.operand);
        if (in.op == kJsr) passesPointer(history, in.operand);
      }
      if (reach != Reach::Outside && !afterCall(in, next)) return true;
      history.clear();
    }
    a = next;
  }
}

Tracer::Reach Tracer::reachOf(std::int32_t from, std::int32_t to, bool word) {
  if (!map_.mapped(to)) {
    // Code runs from RAM and cartridge RAM, not from the I/O registers;
    // only a sure path is taken to run code in zero page or the stack.
    if ((to < kRamCode && strict_) || to < 0 || (to >= 0x2000 && to < 0x6000) || to > 0xFFFF) {
      return Reach::Nowhere;
    }
    state_.ramCalls.push_back(to);
    return Reach::Outside;
  }
  const int bank = bank_.bank;
  if (map_.switched(to) && !map_.switched(from)) {
    // After a write the trace follows, the bank is known: the dumped one, or
    // another whose code this trace does not hold.
    state_.farCalls.push_back({to, bank, from});
    if (bank >= 0) return map_.selects(bank) ? Reach::Here : Reach::Later;
    state_.later.push_back(to);
    return Reach::Later;
  }
  if (map_.switched(to) && word && bank >= 0 && !map_.selects(bank)) {
    // A call from the switched bank after it wrote another: through a
    // routine that stays in, into the bank it selected.
    state_.farCalls.push_back({to, bank, from});
    return Reach::Later;
  }
  return Reach::Here;
}

void Tracer::followLater() {
  while (!state_.later.empty()) {
    const std::int32_t a = state_.later.back();
    state_.later.pop_back();
    trace(a, true);
    resolveTables();
  }
}

}  // namespace morvane
