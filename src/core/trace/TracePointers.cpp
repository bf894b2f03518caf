// Pointers the program sets and uses: tables of pointers read through,
// pointers set from immediates or passed in registers, and code copied to
// RAM; what they lead to is data, or code to trace.
#include <algorithm>
#include <cstdlib>

#include "trace/Opcodes6502.h"
#include "trace/Sources.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;
using namespace sources;

void Tracer::readThrough(const std::vector<Insn>& history) {
  Source src[2];
  state_.readVectors.push_back(history.back().operand);
  PointerSources(history, history.size() - 1, history.back().operand, src);
  if (src[0].table && src[1].table && src[0].value >= 0x8000) {
    state_.dataTables.push_back({src[0].value, 0, Partner(src), 0, history.back().operand});
  }
}

void Tracer::setsPointer(const std::vector<Insn>& history) {
  const Insn& store = history.back();
  if (!IsStore(store.op) || history.size() < 2) return;
  // This store is the pointer's low byte or its high one.
  for (const std::int32_t p : {store.operand, store.operand - 1}) {
    Source src[2];
    PointerSources(history, history.size(), p, src);
    if (src[0].value >= 0 && src[1].value >= 0 && !src[0].table && !src[1].table) {
      state_.setPointers.push_back({p, src[1].value << 8 | src[0].value});
    }
    if (src[0].table && src[1].table && map_.mapped(src[0].value)) {
      state_.tablePointers.push_back({p, src[0].value, Partner(src)});
    }
  }
}

void Tracer::passesPointer(const std::vector<Insn>& history, std::int32_t routine) {
  constexpr int kRegisters = 3;  // A, X, Y
  constexpr std::uint8_t kLoad[kRegisters] = {kLdaImm, kLdxImm, kLdyImm};
  constexpr std::uint8_t kStore[kRegisters][2] = {
      {kStaZp, kStaAbs}, {kStxZp, kStxAbs}, {kStyZp, kStyAbs}};
  // The immediates the registers hold at the call, -1 for none.
  std::int32_t value[kRegisters] = {-1, -1, -1};
  bool set[kRegisters] = {false, false, false};
  for (std::size_t k = history.size() - 1; k-- > 0;) {
    for (int r = 0; r < kRegisters; ++r) {
      if (set[r] || !Writes(r, history[k].op)) continue;
      set[r] = true;
      if (history[k].op == kLoad[r]) value[r] = history[k].operand;
    }
  }
  // Where the routine stores them before its flow first changes.
  std::int32_t at[kRegisters] = {-1, -1, -1};
  std::int32_t p = routine;
  for (int n = 0; n < 8; ++n) {
    Insn in;
    if (!decode(p, in)) break;
    for (int r = 0; r < kRegisters; ++r) {
      if (at[r] < 0 && (in.op == kStore[r][0] || in.op == kStore[r][1])) at[r] = in.operand;
      if (at[r] < 0 && Writes(r, in.op)) value[r] = -1;
    }
    if ((flags_[in.op] & (kFlagEnd | kFlagLbl)) != 0) break;
    p += length_[in.op];
  }
  // Low byte in A and high in X, X and Y, or A and Y.
  constexpr int kPairs[3][2] = {{0, 1}, {1, 2}, {0, 2}};
  for (const auto& [lo, hi] : kPairs) {
    if (value[lo] >= 0 && value[hi] >= 0 && at[lo] >= 0 && at[hi] == at[lo] + 1) {
      state_.setPointers.push_back({at[lo], value[hi] << 8 | value[lo]});
    }
  }
}

void Tracer::copies(const std::vector<Insn>& history) {
  constexpr std::int32_t kPage = 0x100;              // what an index reaches
  constexpr std::int32_t kThroughPointers = 0x2000;  // what a loop over pages may
  const Insn& store = history.back();
  if (history.size() < 2) return;
  const Insn& load = history[history.size() - 2];
  if (store.op == kStaIndY && load.op == kLdaIndY) {
    // lda (src),y / sta (dst),y with both pointers set from immediates.
    std::int32_t from = -1, to = -1;
    for (const auto& [at, value] : state_.setPointers) {
      if (at == load.operand) from = value;
      if (at == store.operand) to = value;
    }
    if (map_.mapped(from) && InRam(to)) state_.copies.push_back({from, to, kThroughPointers});
    return;
  }
  // lda rom,x / sta ram,x (or both by y): a copy loop.
  const bool x = (store.op == kStaAbsX || store.op == kStaZpX) && load.op == kLdaAbsX;
  const bool y = store.op == kStaAbsY && load.op == kLdaAbsY;
  if ((x || y) && InRam(store.operand) && map_.mapped(load.operand)) {
    state_.copies.push_back({load.operand, store.operand, kPage});
  }
}

void Tracer::followPointers(std::int32_t from, std::int32_t to) {
  const auto has = [](const std::vector<std::int32_t>& v, std::int32_t a) {
    return std::find(v.begin(), v.end(), a) != v.end();
  };
  // A jump the program writes to RAM: its operand follows an address in RAM
  // that a vector or a call leads to.
  const auto jumpInRam = [&](std::int32_t at) {
    if (has(state_.ramCalls, at - 1)) return true;
    for (const std::int32_t v : {0xFFFA, 0xFFFC, 0xFFFE}) {
      if (map_.word(v) == at - 1 && !map_.mapped(at - 1)) return true;
    }
    return false;
  };
  // A copy: the trace may add to them, or set them back.
  const auto pointers = state_.setPointers;
  for (const auto& [at, target] : pointers) {
    if (target < from || target > to || code(target)) continue;
    if (has(state_.jumpVectors, at) || jumpInRam(at)) {
      trace(target, true);
      resolveTables();
    } else if (has(state_.readVectors, at)) {
      state_.dataRefs.push_back(target);
    }
  }
  // Tables a jump through RAM takes its address from, set apart from it;
  // those of a pointer read through elsewhere (a routine called with it)
  // hold pointers to data.
  // Not so for records that hold a routine and its data side by side.
  const auto tablePointers = state_.tablePointers;
  const auto jumped = [&](std::int32_t at) { return has(state_.jumpVectors, at) || jumpInRam(at); };
  const auto record = [&](std::int32_t lo) {
    return std::any_of(tablePointers.begin(), tablePointers.end(), [&](const TablePointer& t) {
      return jumped(t.at) && std::abs(t.lo - lo) < 4;
    });
  };
  std::vector<std::int32_t> starts;  // where tables the code reads begin
  for (const auto& [at, lo, hi] : tablePointers) {
    starts.push_back(lo);
    if (jumped(at)) {
      state_.pending.push_back({lo, hi, 0, 256});
      resolveTables();
    } else if (has(state_.readVectors, at) && lo >= 0x8000 && !record(lo)) {
      state_.dataTables.push_back({lo, 0, hi, 0, at});
    }
  }
  for (const RamCopy& c : state_.copies) starts.push_back(c.rom);
  for (const FoundTable& t : state_.dataTables) starts.push_back(t.start);
  // The entries up to the first that does not lead to data; an index that
  // counts from 1 reads the table from its second entry.
  constexpr int kMost = 64;
  const auto follow = [&](const FoundTable& t, int first) {
    const int most = t.partner >= 0 ? std::min(kMost, std::abs(t.partner - t.start)) : kMost;
    int i = first;
    for (; i < most; ++i) {
      const std::int32_t lo = t.partner >= 0 ? t.start + i : t.start + 2 * i;
      const std::int32_t hi = t.partner >= 0 ? t.partner + i : lo + 1;
      if (hi > 0xFFFF || code(lo) || code(hi) || !map_.mapped(lo) || !map_.mapped(hi)) break;
      // Another table begins: a copy's, or one read by another index.
      if (i > first && has(starts, lo)) break;
      const std::int32_t target = map_.byte(lo) | map_.byte(hi) << 8;
      if (target < from || target > to || code(target)) break;
      state_.dataRefs.push_back(target);
      if (!has(state_.jumpFeeds, t.via)) state_.recordRefs.push_back(target);
    }
    return i > first;
  };
  for (const FoundTable& t : state_.dataTables) {
    if (!follow(t, 0)) follow(t, 1);
  }
}

void Tracer::traceCopies() {
  // Until the copies traced call no more places in RAM, a few rounds at most
  // (an overlay's entry JMPs lead to its routines, and those to others).
  constexpr int kRounds = 8;
  for (std::size_t done = 0, round = 0; done < state_.ramCalls.size() && round < kRounds; ++round) {
    // Copies: the trace may add to them, or set them back.
    const auto copies = state_.copies;
    const auto calls = state_.ramCalls;
    done = calls.size();
    for (const std::int32_t call : calls) {
      // The copies that reach the place called: a call to the start of the
      // only one there runs it for sure, and so where it jumps back into
      // ROM. Elsewhere in a copy it may be a vector or a variable set
      // apart: what it holds must prove itself.
      int covering = 0, starting = 0;
      for (const RamCopy& c : copies) {
        covering += call >= c.ram && call < c.ram + c.reach;
        // A copy that starts with a jump out of the ROM is a vector the
        // program writes its target into.
        const bool vector = map_.byte(c.rom) == kJmp && !map_.mapped(map_.word(c.rom + 1));
        starting += call == c.ram && !vector;
      }
      for (const auto& [rom, ram, reach] : copies) {
        if (call < ram || call >= ram + reach || code(rom + call - ram)) continue;
        // The copy's bytes were read to be copied, not as data.
        auto& refs = state_.dataRefs;
        refs.erase(std::remove(refs.begin(), refs.end(), rom), refs.end());
        trace(rom + call - ram, covering != 1 || starting != 1);
        resolveTables();
      }
    }
  }
}

}  // namespace morvane
