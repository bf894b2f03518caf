// Pointers set in one place and jumped through in another: the immediates
// the program stores into each byte of RAM, paired into the addresses a
// JMP (p) may take.
#include <algorithm>

#include "trace/Opcodes6502.h"
#include "trace/Sources.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;
using namespace sources;

namespace {

// At most this many addresses from the halves stored into one pointer: a
// pointer set to more is a counter, not a state.
constexpr std::size_t kMostTargets = 64;

// The register a store stores: 0 A, 1 X, 2 Y.
int StoredRegister(std::uint8_t op) {
  if (op == kStxZp || op == kStxAbs) return 1;
  if (op == kStyZp || op == kStyAbs) return 2;
  return 0;
}

}  // namespace

void Tracer::storesByte(const std::vector<Insn>& history) {
  const Insn& store = history.back();
  if (!IsStore(store.op)) return;
  const int reg = StoredRegister(store.op);
  constexpr std::uint8_t kLoad[3] = {kLdaImm, kLdxImm, kLdyImm};
  for (std::size_t k = history.size() - 1; k-- > 0;) {
    if (!Writes(reg, history[k].op)) continue;
    if (history[k].op == kLoad[reg])
      state_.storedBytes.push_back({store.operand, history[k].operand});
    return;
  }
}

void Tracer::followStoredPointers(std::int32_t from, std::int32_t to) {
  // The code a target leads to may store further targets: a few rounds, until
  // none is added.
  constexpr int kRounds = 8;
  for (int round = 0; round < kRounds; ++round) {
    const std::size_t before = state_.storedBytes.size();
    followStoredPointersOnce(from, to);
    if (state_.storedBytes.size() == before) return;
  }
}

void Tracer::followStoredPointersOnce(std::int32_t from, std::int32_t to) {
  std::vector<std::int32_t> vectors = state_.jumpVectors;
  std::sort(vectors.begin(), vectors.end());
  vectors.erase(std::unique(vectors.begin(), vectors.end()), vectors.end());
  const auto stored = state_.storedBytes;  // the trace adds to them
  for (const std::int32_t p : vectors) {
    std::vector<std::int32_t> lows, highs;
    for (const auto& [at, value] : stored) {
      if (at == p) lows.push_back(value);
      if (at == p + 1) highs.push_back(value);
    }
    for (auto* v : {&lows, &highs}) {
      std::sort(v->begin(), v->end());
      v->erase(std::unique(v->begin(), v->end()), v->end());
    }
    if (lows.empty() || highs.empty() || lows.size() * highs.size() > kMostTargets) continue;
    // With one high byte (or one low byte) every address stored is known
    // for sure; else some pairs are not ones the program makes, and each
    // must prove itself. So must all of a pointer the program also reads
    // through: some of what it is set to is data.
    const auto& read = state_.readVectors;
    const bool readThrough = std::find(read.begin(), read.end(), p) != read.end();
    const bool sure = (lows.size() == 1 || highs.size() == 1) && !readThrough;
    for (const std::int32_t hi : highs) {
      for (const std::int32_t lo : lows) {
        const std::int32_t target = hi << 8 | lo;
        if (target < from || target > to || code(target)) continue;
        if (sure ? role(target) != kRoleNone || !map_.mapped(target) : !plausibleTarget(target)) {
          continue;
        }
        trace(target, !sure);
        resolveTables();
      }
    }
  }
}

}  // namespace morvane
