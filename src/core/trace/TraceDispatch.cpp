// Where flow goes that no operand names: jumps through address tables, word
// or split, set up by the instructions before a JMP (ind) or an RTS, and
// branches that are always taken.
#include <algorithm>
#include <cstdlib>

#include "trace/Opcodes6502.h"
#include "trace/Sources.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;
using namespace sources;

bool Tracer::alwaysTaken(const std::vector<Insn>& history, const Insn& branch) const {
  if (history.size() < 2) return false;
  const Insn& prev = history[history.size() - 2];
  // beq after bne, bcs after bcc...: one of the two is taken.
  const bool opposite = (prev.op & 0x1F) == 0x10 && (prev.op ^ branch.op) == 0x20;
  if (opposite) return true;
  switch (branch.op) {
    case kBcc:
      return prev.op == kClc;
    case kBcs:
      return prev.op == kSec;
    case kBvc:
      return prev.op == kClv;
    default:
      break;
  }
  if (!IsImmediateLoad(prev.op)) return false;
  switch (branch.op) {
    case kBeq:
      return prev.operand == 0;
    case kBne:
      return prev.operand != 0;
    case kBmi:
      return (prev.operand & 0x80) != 0;
    case kBpl:
      return (prev.operand & 0x80) == 0;
    default:
      return false;
  }
}

void Tracer::dispatch(const std::vector<Insn>& history, const Insn& in) {
  Source src[2];
  const std::size_t n = history.size() - 1;  // history[n] is in
  // An interrupt return right after php jumps to the address pushed before.
  const bool rtiJump = in.op == kRti && n > 0 && history[n - 1].op == kPhp;
  if (in.op == kRts || rtiJump) {
    int pushes = 0;
    for (std::size_t k = n; k-- > 0 && pushes < 2;) {
      if (history[k].op != kPha) continue;
      HeldInA(history, k, src[pushes++]);  // the later push is the low byte
    }
  } else if (in.op == kJmpInd) {
    const std::int32_t p = in.operand;
    if (p >= 0x8000 && map_.word(p) >= 0) {
      state_.pending.push_back({p, -1, 0, 1});
      return;
    }
    PointerSources(history, n, p, src);
  } else {
    return;
  }
  if (src[0].value < 0 || src[1].value < 0 || src[0].table != src[1].table) return;
  // A return goes one past the address pushed: the one taken off the low
  // byte on the way (the high byte's is the borrow) is the table's.
  const int addrOS = (in.op == kRts ? 1 : 0) - src[0].less;
  if (addrOS < 0 || addrOS > 1) return;
  if (in.op == kJmpInd && !src[0].table && (src[0].added || src[1].added)) {
    // An index added to the address of a table of JMPs: every JMP in it.
    const std::int32_t base = src[1].value << 8 | src[0].value;
    constexpr int kMostJumps = 64;
    work_.push_back(base);
    for (int i = 1; i < kMostJumps && map_.byte(base) == kJmp && map_.byte(base + 3 * i) == kJmp;
         ++i) {
      work_.push_back(base + 3 * i);
    }
    return;
  }
  if (!src[0].table) {
    work_.push_back(((src[1].value << 8 | src[0].value) + addrOS) & 0xFFFF);
  } else if (!map_.mapped(src[0].value)) {
    // A table in RAM: what the program puts there is followed later.
    state_.ramTables.push_back({src[0].value, Partner(src), addrOS});
  } else {
    const bool banked = bankLoad_.op != 0 && ByX(bankLoad_.op) == ByX(src[0].op);
    state_.pending.push_back(
        {src[0].value, Partner(src), addrOS, 256, banked ? bankLoad_.operand : -1});
  }
}

void Tracer::selectsBank(const std::vector<Insn>& history) {
  // A call, or a write to the mapper, with A loaded from a table by index.
  const Insn& in = history.back();
  const bool selects = in.op == kJsr || (in.op == kStaAbs && in.operand >= 0x8000);
  for (std::size_t k = history.size() - 1; selects && k-- > 0;) {
    if (!Writes(0, history[k].op)) continue;
    if (history[k].op == kLdaAbsX || history[k].op == kLdaAbsY) bankLoad_ = history[k];
    return;
  }
}

void Tracer::trampoline(const std::vector<Insn>& history, std::int32_t target) {
  Insn jump;
  if (!decode(target, jump) || jump.op != kJmpInd || map_.mapped(jump.operand)) return;
  std::vector<Insn> through = history;
  through.push_back(jump);
  dispatch(through, jump);
}

bool Tracer::plausibleTarget(std::int32_t t) const {
  if (t < 0 || t > 0xFFFF || !map_.mapped(t)) return false;
  if ((role(t) == kRoleOperand && !bitSkip(t)) || role(t) == kRoleData) return false;
  // The instructions up to the first change of flow must be ones valid
  // code holds.
  std::int32_t p = t;
  for (int i = 0; i < 4; ++i) {
    Insn in;
    if (!decode(p, in)) return false;
    if ((flags_[in.op] & (kFlagEnd | kFlagLbl)) != 0) return true;
    p += length_[in.op];
  }
  return true;
}

std::int32_t Tracer::entry(const Pending& p, int i, std::int32_t& lo, std::int32_t& hi) const {
  lo = p.hi >= 0 ? p.lo + i : p.lo + 2 * i;
  hi = p.hi >= 0 ? p.hi + i : lo + 1;
  if (lo > 0xFFFF || hi > 0xFFFF || role(lo) != kRoleNone || role(hi) != kRoleNone) return -1;
  const int l = map_.byte(lo);
  const int h = map_.byte(hi);
  if (l < 0 || h < 0) return -1;
  const std::int32_t target = (l | h << 8) + p.addrOS;
  return plausibleTarget(target) ? target : -1;
}

void Tracer::resolveTables() {
  // Entries of a table in the fixed bank that lead into the switched one
  // may be another bank's: so many of them in a row are passed over.
  constexpr int kElsewhere = 4;
  while (!state_.pending.empty()) {
    Pending p = state_.pending.back();
    state_.pending.pop_back();
    // Read by an index that counts from 1 or 2: the table starts where the
    // code its address lies on ends.
    Pending after = p;
    for (int k = 0; k < 2 && code(after.lo); ++k) {
      after.lo += after.hi >= 0 ? 1 : 2;
      after.hi += after.hi >= 0 ? 1 : 0;
    }
    if (!code(after.lo)) p = after;
    int limit = p.limit;
    if (p.hi >= 0) limit = std::min(limit, std::max(1, std::abs(p.hi - p.lo)));
    const std::size_t at = state_.tables.size();
    state_.tables.push_back({p.lo, 0, p.hi, p.addrOS});
    // Entry by entry, so that code the earlier entries lead to ends the
    // table before it is taken for entries.
    for (int i = 0, passed = 0; i < limit; ++i) {
      std::int32_t lo = 0, hi = 0;
      const std::int32_t target = entry(p, i, lo, hi);
      const bool free = lo <= 0xFFFF && hi <= 0xFFFF && role(lo) == kRoleNone &&
                        role(hi) == kRoleNone && map_.mapped(lo) && map_.mapped(hi);
      if (!free) break;
      setRole(lo, kRoleData);
      setRole(hi, kRoleData);
      // An entry the bank table gives to another bank is passed over.
      const int bank = p.banks >= 0 ? map_.byte(p.banks + i) : -1;
      const std::int32_t raw = (map_.byte(lo) | map_.byte(hi) << 8) + p.addrOS;
      if (bank >= 0 && map_.switched(raw) && !map_.switched(p.lo)) {
        state_.farCalls.push_back({raw, bank, lo});
        if (!map_.selects(bank)) continue;
      }
      if (target >= 0) trace(target, true);
      if (target >= 0 && code(target)) {
        state_.tables[at].count = i + 1;
        passed = 0;
        continue;
      }
      if (!map_.switched(raw) || map_.switched(p.lo) || ++passed > kElsewhere) break;
    }
    // Entries passed over after the last that led to code are not the table's.
    const FoundTable& t = state_.tables[at];
    for (int i = t.count; i < limit; ++i) {
      const std::int32_t lo = p.hi >= 0 ? p.lo + i : p.lo + 2 * i;
      const std::int32_t hi = p.hi >= 0 ? p.hi + i : lo + 1;
      if (hi > 0xFFFF || role(lo) != kRoleData || role(hi) != kRoleData) break;
      setRole(lo, kRoleNone);
      setRole(hi, kRoleNone);
    }
    if (state_.tables[at].count == 0) {
      state_.tables.erase(state_.tables.begin() + static_cast<std::ptrdiff_t>(at));
    }
  }
}

}  // namespace morvane
