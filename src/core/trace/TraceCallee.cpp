// Routines that take their return address off the stack: the bytes after a
// call to one are its parameters, a string it prints or a table it jumps
// through, not code.
#include <algorithm>

#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;

namespace {

constexpr int kPullScan = 32;     // instructions searched for the pull
constexpr int kRoutineScan = 96;  // instructions of the routine examined
constexpr int kCalledScan = 64;   // and of the routines it calls
constexpr std::int32_t kStack = 0x0100;

}  // namespace

Callee Tracer::analyse(std::int32_t a) const {
  // Does the routine pull more than it pushed before it returns?
  int depth = 0;
  bool pulls = false;
  bool stackRead = false;
  std::int32_t p = a;
  for (int n = 0; n < kPullScan && !pulls; ++n) {
    Insn in;
    if (!decode(p, in) || in.op == kTxs) return {};
    if (in.op == kPha || in.op == kPhp) ++depth;
    if ((in.op == kPla || in.op == kPlp) && --depth < 0) pulls = true;
    // tsx, then lda 0101,x or 0102,x past what it pushed: the return address.
    if (in.op == kTsx) stackRead = true;
    if (stackRead && in.op == kLdaAbsX &&
        (in.operand == kStack + 1 + depth || in.operand == kStack + 2 + depth)) {
      pulls = true;
    }
    const int flags = flags_[in.op];
    if ((flags & kFlagEnd) != 0) {
      if (kind_[in.op] != OperandKind::Word || (flags & kFlagLbl) == 0) return {};
      p = in.operand;
      continue;
    }
    p += length_[in.op];
  }
  if (!pulls) return {};
  // What it does with it, from the instructions it is made of, then from
  // those of the routines it calls.
  CalleeScan scan;
  // Where each path starts, and whether the stack is untouched there.
  struct PathStart {
    std::int32_t at = 0;
    bool clean = false;
  };
  std::vector<PathStart> todo{{a, true}}, calls;
  // Places scanned, and those scanned on a path with the stack untouched:
  // such a path may run on over what another path scanned.
  std::vector<std::int32_t> seen, seenClean;
  for (int n = 0, budget = kRoutineScan; n < budget;) {
    if (todo.empty() && budget == kRoutineScan) {
      todo.swap(calls);
      budget += kCalledScan;
    }
    if (todo.empty()) break;
    std::int32_t q = todo.back().at;
    scan.path(budget > kRoutineScan, todo.back().clean);
    todo.pop_back();
    for (; n < budget; ++n) {
      Insn in;
      const auto has = [&](const std::vector<std::int32_t>& v) {
        return std::find(v.begin(), v.end(), q) != v.end();
      };
      const bool again = has(seen);
      if ((again && (!scan.clean() || has(seenClean))) || !decode(q, in)) break;
      if (scan.clean()) seenClean.push_back(q);
      if (again) {
        scan.revisit(in.op);
      } else {
        seen.push_back(q);
        scan.step(in.op, in.operand);
      }
      const int flags = flags_[in.op];
      if (in.op == kJsr && budget == kRoutineScan) calls.push_back({in.operand, false});
      if ((flags & kFlagLbl) != 0 && kind_[in.op] == OperandKind::Relative)
        todo.push_back({in.operand, scan.clean()});
      if ((flags & kFlagEnd) != 0) {
        if (kind_[in.op] == OperandKind::Word && (flags & kFlagLbl) != 0) {
          todo.push_back({in.operand, scan.clean()});
        }
        ++n;
        break;
      }
      q += length_[in.op];
    }
  }
  return scan.verdict();
}

bool Tracer::afterCall(const Insn& in, std::int32_t& next) {
  const auto found = callees_.find(in.operand);
  const Callee callee =
      found != callees_.end() ? found->second : (callees_[in.operand] = analyse(in.operand));
  switch (callee.kind) {
    case Callee::Returns:
      return true;
    case Callee::Engine:
      state_.pending.push_back({next, -1, callee.value, 256});
      return false;
    case Callee::Unknown:
      // What follows the call may be data: left to the speculative entries.
      state_.unknownAfter.push_back(next);
      return false;
    case Callee::Counted: {
      Insn skipped;
      if (callee.alsoReturns && decode(next, skipped) && length_[skipped.op] == callee.value) {
        // The instruction after the call, which the routine returns to or
        // skips: both are code.
        work_.push_back(next + callee.value);
        return true;
      }
      if (callee.jumpAt >= 0) {
        const std::int32_t target = map_.word(next + callee.jumpAt);
        // The bytes after the call name the bank, not what the path wrote.
        const BankState path = bank_;
        bank_.bank = -1;
        if (plausibleTarget(target) && reachOf(in.a, target) == Reach::Here)
          work_.push_back(target);
        bank_ = path;
      }
      markData(next, callee.value);
      next += callee.value;
      return resumes(next, callee);
    }
    case Callee::Prefixed: {
      const int length = map_.byte(next + callee.value - 1);
      if (length < 0) return false;
      const int count = callee.value + length * callee.unit;
      markData(next, count);
      next += count;
      return resumes(next, callee);
    }
    case Callee::Terminated: {
      const std::int32_t from = next;
      if (!resumes(next, callee)) return false;
      markData(from, next - from);
      return true;
    }
  }
  return true;
}

bool Tracer::resumes(std::int32_t& next, const Callee& callee) const {
  if (callee.kind != Callee::Terminated) return plausibleTarget(next);
  // The first terminator valid code follows: a byte like it may be one of
  // the parameters that control codes among the characters take.
  for (std::int32_t k = 0; k < 256; ++k) {
    const int b = map_.byte(next + k);
    if (b < 0) return false;
    const bool ends = b == callee.value || (callee.value == Callee::kHighBit && b >= 0x80);
    if (ends && (plausibleTarget(next + k + 1) || code(next + k + 1))) {
      next += k + 1;
      return true;
    }
  }
  return false;
}

}  // namespace morvane
