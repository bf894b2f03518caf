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

bool IsStore(std::uint8_t op) {
  return op == kStaZp || op == kStaAbs || op == kStxZp || op == kStxAbs || op == kStyZp ||
         op == kStyAbs;
}

bool IsIndexedLoad(std::uint8_t op) {
  return op == kLdaAbsX || op == kLdaAbsY || op == kLdxAbsY || op == kLdyAbsX;
}

bool IsImmediateLoad(std::uint8_t op) {
  return op == kLdaImm || op == kLdxImm || op == kLdyImm;
}

}  // namespace

Tracer::Tracer(const RomMap& map, const std::array<OpcodeShape, 256>& shapes) : map_(map) {
  for (std::size_t b = 0; b < 256; ++b) {
    flags_[b] = shapes[b].flags;
    kind_[b] = shapes[b].kind;
    length_[b] = shapes[b].kind == 2 ? 3 : shapes[b].kind == 0 ? 1 : 2;
  }
}

bool Tracer::bad(std::uint8_t op) const {
  // A BRK in traced flow almost always means the trace left the code.
  return (flags_[op] & kFlagBad) != 0 || op == kBrk;
}

bool Tracer::bitSkip(std::int32_t a) const {
  const int before = map_.byte(a - 1);
  return (before == kBitAbs || before == kBitZp) && role(a - 1) == kRoleOpcode;
}

void Tracer::showSkips() {
  // A BIT whose operand is itself code is the skip idiom: its opcode byte
  // shows as data so that the code it hides shows as code.
  for (std::int32_t a = 1; a <= 0xFFFF; ++a) {
    if (role(a) == kRoleOpcode && role(a - 1) == kRoleOpcode && bitSkip(a)) {
      setRole(a - 1, kRoleData);
    }
  }
}

bool Tracer::decode(std::int32_t a, Insn& in) const {
  const int b = map_.byte(a);
  if (b < 0 || bad(static_cast<std::uint8_t>(b))) return false;
  in.a = a;
  in.op = static_cast<std::uint8_t>(b);
  const int kind = kind_[in.op];
  if (kind == 0) return true;
  const int lo = map_.byte(a + 1);
  if (lo < 0) return false;
  if (kind == 2) {
    const int hi = map_.byte(a + 2);
    if (hi < 0) return false;
    in.operand = lo | hi << 8;
  } else if (kind == -1) {
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
  State saved = state_;
  added_ = 0;
  joined_ = false;
  if (!drain(true) || (added_ < least && !joined_)) state_ = std::move(saved);
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
  for (;;) {
    if (a < 0 || a > 0xFFFF) return false;
    if (role(a) == kRoleOpcode) {
      joined_ = true;
      return true;
    }
    Insn in;
    if (!decode(a, in)) return false;
    const int len = length_[in.op];
    const int flags = flags_[in.op];
    const int kind = kind_[in.op];
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
    if (kind == 2 && (flags & (kFlagTbl | kFlagVbl)) != 0 && in.operand >= 0x8000) {
      state_.dataRefs.push_back(in.operand);
    }
    for (int i = 1; i < len; ++i) {
      if (role(a + i) == kRoleNone) setRole(a + i, kRoleOperand);
    }
    if (history.size() == kHistory) history.erase(history.begin());
    history.push_back(in);
    std::int32_t next = a + len;
    const Reach reach = (flags & kFlagLbl) != 0 ? reachOf(a, in.operand) : Reach::Here;
    if ((flags & kFlagEnd) != 0) {
      if (kind == 2 && (flags & kFlagLbl) != 0) {
        if (reach != Reach::Here) return reach != Reach::Nowhere;
        a = in.operand;
        history.clear();
        continue;
      }
      dispatch(history, in);
      return true;
    }
    if ((flags & kFlagLbl) != 0 && kind == -1) {
      if (reach != Reach::Here) return false;
      work_.push_back(in.operand);
      if (alwaysTaken(history, in)) return true;
    } else if ((flags & kFlagLbl) != 0 && kind == 2) {
      if (reach == Reach::Nowhere) return false;
      if (reach == Reach::Here) work_.push_back(in.operand);
      if (reach != Reach::Outside && !afterCall(in, next)) return true;
      history.clear();
    }
    a = next;
  }
}

Tracer::Reach Tracer::reachOf(std::int32_t from, std::int32_t to) {
  if (!map_.mapped(to)) return to >= kRamCode && to <= 0xFFFF ? Reach::Outside : Reach::Nowhere;
  if (map_.switched(to) && !map_.switched(from)) {
    state_.later.push_back(to);
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

bool Tracer::alwaysTaken(const std::vector<Insn>& history, const Insn& branch) const {
  if (history.size() < 2) return false;
  const Insn& prev = history[history.size() - 2];
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
  // The two values the dispatch combines: [0] the low byte, [1] the high.
  struct Source {
    bool table = false;
    std::int32_t value = -1;
  } src[2];
  const auto from = [&](std::size_t store, Source& s) {
    if (store == 0) return;
    const Insn& load = history[store - 1];
    if (IsIndexedLoad(load.op)) s = {true, load.operand};
    if (IsImmediateLoad(load.op)) s = {false, load.operand};
  };
  const std::size_t n = history.size() - 1;  // history[n] is in
  if (in.op == kRts) {
    int pushes = 0;
    for (std::size_t k = n; k-- > 0 && pushes < 2;) {
      if (history[k].op != kPha) continue;
      from(k, src[pushes++]);  // the later push is the low byte
    }
  } else if (in.op == kJmpInd) {
    const std::int32_t p = in.operand;
    if (p >= 0x8000 && map_.word(p) >= 0) {
      state_.pending.push_back({p, -1, 0, 1});
      return;
    }
    for (std::size_t k = n; k-- > 0;) {
      if (!IsStore(history[k].op)) continue;
      if (history[k].operand == p && src[0].value < 0) from(k, src[0]);
      if (history[k].operand == p + 1 && src[1].value < 0) from(k, src[1]);
    }
  } else {
    return;
  }
  if (src[0].value < 0 || src[1].value < 0 || src[0].table != src[1].table) return;
  const int addrOS = in.op == kRts ? 1 : 0;
  if (!src[0].table) {
    work_.push_back(((src[1].value << 8 | src[0].value) + addrOS) & 0xFFFF);
  } else if (src[1].value == src[0].value + 1) {
    state_.pending.push_back({src[0].value, -1, addrOS, 256});
  } else {
    state_.pending.push_back({src[0].value, src[1].value, addrOS, 256});
  }
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

void Tracer::fillGaps(std::int32_t from, std::int32_t to) {
  std::sort(state_.dataRefs.begin(), state_.dataRefs.end());
  const auto read = [&](std::int32_t a) {
    return std::binary_search(state_.dataRefs.begin(), state_.dataRefs.end(), a);
  };
  for (std::int32_t a = from; a <= to; ++a) {
    if (role(a) != kRoleNone || !map_.mapped(a)) continue;
    // What the code reads is data up to the next code.
    if (read(a)) {
      while (a < to && role(a + 1) == kRoleNone) ++a;
      continue;
    }
    // A run of one value is fill, not code.
    if (map_.byte(a + 1) == map_.byte(a) && map_.byte(a + 2) == map_.byte(a)) continue;
    // Code starts where the gap starts, or after a return or jump inside it.
    const bool boundary = role(a - 1) != kRoleNone || map_.byte(a - 1) == kRts ||
                          map_.byte(a - 1) == kRti || map_.byte(a - 3) == kJmp;
    if (!boundary) continue;
    // One lone instruction that leads nowhere known proves nothing.
    trace(a, true, 2);
    resolveTables();
  }
  // Two words in a row in what is not code, each the address of known code
  // or of a place nothing reached that looks like code: a table of handlers.
  const auto unreached = [&](std::int32_t t) {
    return t >= from && t <= to && role(t) == kRoleNone && !read(t) && plausibleTarget(t);
  };
  for (std::int32_t p = from; p + 3 <= to; ++p) {
    if (code(p) || code(p + 1) || code(p + 2) || code(p + 3)) continue;
    const std::int32_t first = map_.word(p);
    const std::int32_t second = map_.word(p + 2);
    const bool newFirst = unreached(first);
    const bool newSecond = unreached(second);
    const auto known = [&](std::int32_t t) { return t >= 0 && role(t) == kRoleOpcode; };
    if (first == second || !(newFirst || known(first)) || !(newSecond || known(second)) ||
        !(newFirst || newSecond)) {
      continue;
    }
    if (newFirst) trace(first, true, 2);
    if (newSecond) trace(second, true, 2);
    resolveTables();
  }
}

void Tracer::resolveTables() {
  while (!state_.pending.empty()) {
    const Pending p = state_.pending.back();
    state_.pending.pop_back();
    int limit = p.limit;
    if (p.hi >= 0) limit = std::min(limit, std::max(1, std::abs(p.hi - p.lo)));
    const std::size_t at = state_.tables.size();
    state_.tables.push_back({p.lo, 0, p.hi, p.addrOS});
    // Entry by entry, so that code the earlier entries lead to ends the
    // table before it is taken for entries.
    for (int i = 0; i < limit; ++i) {
      std::int32_t lo = 0, hi = 0;
      const std::int32_t target = entry(p, i, lo, hi);
      if (target < 0) break;
      setRole(lo, kRoleData);
      setRole(hi, kRoleData);
      trace(target, true);
      if (!code(target)) {
        setRole(lo, kRoleNone);
        setRole(hi, kRoleNone);
        break;
      }
      state_.tables[at].count = i + 1;
    }
    if (state_.tables[at].count == 0) {
      state_.tables.erase(state_.tables.begin() + static_cast<std::ptrdiff_t>(at));
    }
  }
}

}  // namespace morvane
