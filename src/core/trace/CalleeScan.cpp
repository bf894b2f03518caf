#include "trace/CalleeScan.h"

#include <algorithm>

#include "trace/Opcodes6502.h"

namespace morvane {

using namespace op6502;

namespace {

constexpr std::int32_t kStackLo = 0x0101;  // where the return address lies, from S
constexpr std::int32_t kRegisterX = -1;    // where tax keeps an inline byte

// Instructions that leave N and Z as they were.
bool KeepsFlags(std::uint8_t op) {
  const bool store = (op & 0xE0) == 0x80 && op != 0x80 && op != 0x82 && op != 0x89 && op != kTxa &&
                     op != 0x88 && op != kTya;
  const bool branch = (op & 0x1F) == 0x10;
  const bool flag = (op & 0x1F) == 0x18 && op != kTya;
  return store || branch || flag || op == kPha || op == kPhp || op == kTxs || op == kJmp ||
         op == kJmpInd || op == kJsr || op == kNop;
}

}  // namespace

void CalleeScan::path(bool called, bool clean) {
  called_ = called;
  clean_ = clean && !called;
  inlineA_ = pushedInline_ = afterPull_ = false;
  flags_ = Flags::Other;
  y_ = offset_ = -1;
}

int CalleeScan::storedAt(std::int32_t a) const {
  const auto s = lastStore(a);
  return s != nullptr ? s->which : -2;
}

const CalleeScan::InlineStore* CalleeScan::lastStore(std::int32_t a) const {
  for (auto s = inlineStores_.rbegin(); s != inlineStores_.rend(); ++s) {
    if (s->at == a) return &*s;
  }
  return nullptr;
}

void CalleeScan::revisit(std::uint8_t op) {
  plainReturn_ |= clean_ && op == kRts;
  if (op == kPla || op == kPlp || op == kPha || op == kPhp || op == kTsx || op == kTxs) {
    clean_ = false;
  }
}

void CalleeScan::step(std::uint8_t op, std::int32_t operand) {
  revisit(op);
  if (called_) {
    loops(op, operand);
    return;
  }
  const bool afterPull = afterPull_;
  afterPull_ = false;
  if (afterPull && (op == kStaZp || op == kStaAbs)) pulledLo_ = operand;
  if (inlineA_ && (op == kStaZp || op == kStaAbs)) {
    inlineStores_.push_back({operand, offset_, reads_});
  }
  if (op == kTax) inlineStores_.push_back({kRegisterX, inlineA_ ? offset_ : -2, reads_});
  indirectJump_ |= op == kJmpInd;
  if (op == kJmpInd && storedAt(operand) > -2 && storedAt(operand + 1) > -2) {
    jumpsInline_ = true;
    const int lo = storedAt(operand);
    // Where the address lies when the offsets are known; else first.
    jumpAt_ = lo >= 1 && storedAt(operand + 1) == lo + 1 ? lo - 1 : 0;
  }
  shifts_ |= op == kAslA;
  rts_ |= op == kRts;
  if (op == kAdcImm && added_ < 0) added_ = operand;
  if (op == kLdyImm) lastIndex_ = std::max(lastIndex_, operand);
  if (op == kLdyImm) {
    y_ = operand;
  } else if ((op == kIny || op == kDey) && y_ >= 0) {
    y_ += op == kIny ? 1 : -1;
  } else if (Writes(2, op)) {
    y_ = -1;
  }
  if ((op == kIncZp || op == kIncAbs) && operand == pulledLo_) ++incs_;
  // inc 0101,x after tsx: the return address stepped where it lies.
  if (op == kIncAbsX && operand >= kStackLo && operand <= kStackLo + 3) {
    if (stackLo_ < 0) stackLo_ = operand;
    incs_ += operand == stackLo_;
  }
  // A byte after the call counted down: the length of what follows it.
  const std::int32_t counter = op == kDex ? kRegisterX : operand;
  if ((op == kDecZp || op == kDecAbs || op == kDex) && storedAt(counter) > -2 && !prefixed_) {
    prefixed_ = true;
    lengthAt_ = std::max(1, storedAt(counter));
    // The bytes read per count: a count of addresses steps two at a time.
    unit_ = std::max(1, reads_ - lastStore(counter)->readsBefore);
  }
  // A copy of the pointer the return address went to reads the same bytes.
  if ((op == kStaZp || op == kStaAbs) && lastLoad_ >= 0 && holdsReturn(lastLoad_)) {
    aliases_.push_back(operand);
  }
  lastLoad_ = op == kLdaZp || op == kLdaAbs ? operand : -1;
  loops(op, operand);
}

bool CalleeScan::holdsReturn(std::int32_t a) const {
  return a == pulledLo_ || std::find(aliases_.begin(), aliases_.end(), a) != aliases_.end();
}

void CalleeScan::loops(std::uint8_t op, std::int32_t operand) {
  // A branch on the flags of a byte read through the pointer: a loop up to
  // a terminator.
  if ((op == kBeq || op == kBne) && flags_ != Flags::Other) {
    loop_ = true;
    terminator_ = flags_ == Flags::Compared ? compared_ : 0;
  }
  if ((op == kBpl || op == kBmi) && flags_ == Flags::Inline) {
    loop_ = true;
    terminator_ = Callee::kHighBit;
  }
  if (op == kPha && !called_) {
    ++pushes_;
    pushesInline_ += inlineA_;
    pushedInline_ = inlineA_;
  }
  if (op == kPla && !called_) {
    afterPull_ = !pulled_;
    pulled_ = true;
    inlineA_ = pushedInline_;
    flags_ = inlineA_ ? Flags::Inline : Flags::Other;
  } else if (op == kLdaIndY) {
    // Through the pointer the return address went to, where that is known;
    // a routine it calls must read through that one.
    inlineA_ = pulledLo_ < 0 ? !called_ : holdsReturn(operand);
    reads_ += inlineA_;
    offset_ = y_;
    flags_ = inlineA_ ? Flags::Inline : Flags::Other;
  } else if (op == kCmpImm) {
    flags_ = inlineA_ ? Flags::Compared : Flags::Other;
    compared_ = operand;
  } else if (!KeepsFlags(op)) {
    flags_ = Flags::Other;
    if (Writes(0, op)) inlineA_ = false;
  }
}

Callee CalleeScan::verdict() const {
  if (loop_) return {Callee::Terminated, terminator_};
  if (prefixed_) return {Callee::Prefixed, lengthAt_, -1, unit_};
  // Returned through the stack, or through what it pushed.
  const bool returns = rts_ || pushes_ >= 2;
  const bool viaInline = jumpsInline_ || (pushesInline_ >= 2 && rts_);
  // An index, doubled or kept even, into the addresses after the call.
  if ((shifts_ || viaInline) && added_ < 0 && incs_ == 0 && (indirectJump_ || returns)) {
    return {Callee::Engine, indirectJump_ ? 0 : 1};
  }
  const int stepped = added_ > 0 ? added_ : incs_;
  if (stepped > 0) {
    Callee c{Callee::Counted, returns ? stepped : stepped - 1, jumpAt_};
    c.alsoReturns = plainReturn_;
    return c;
  }
  if (lastIndex_ > 0) return {Callee::Counted, lastIndex_};
  return {Callee::Unknown, 0};
}

}  // namespace morvane
