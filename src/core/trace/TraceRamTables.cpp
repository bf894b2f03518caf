// Tables of addresses the program keeps in RAM and jumps through: filled by
// copying a table from ROM, or entry by entry with addresses from
// immediates.
#include "trace/Opcodes6502.h"
#include "trace/Sources.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;
using namespace sources;

void Tracer::storesAddress(const std::vector<Insn>& history) {
  const std::size_t n = history.size();
  const auto storesA = [&](std::size_t k) {
    return history[k].op == kStaZp || history[k].op == kStaAbs;
  };
  if (n < 4 || !storesA(n - 1) || !storesA(n - 3)) return;
  const Insn& first = history[n - 4];
  const Insn& second = history[n - 2];
  if (first.op != kLdaImm || second.op != kLdaImm) return;
  const std::int32_t at1 = history[n - 3].operand;
  const std::int32_t at2 = history[n - 1].operand;
  // Which is the low byte only the table it went to tells: both ways.
  state_.storedAddresses.push_back({at1, at2, second.operand << 8 | first.operand});
  state_.storedAddresses.push_back({at2, at1, first.operand << 8 | second.operand});
}

void Tracer::followRamTables() {
  constexpr std::int32_t kEntries = 0x100;
  // Copies: the trace may add to them, or set them back.
  const auto tables = state_.ramTables;
  const auto copies = state_.copies;
  const auto stored = state_.storedAddresses;
  for (const auto& [lo, hi, addrOS] : tables) {
    for (const auto& [rom, ram, reach] : copies) {
      const bool inside =
          lo >= ram && lo < ram + reach && (hi < 0 || (hi >= ram && hi < ram + reach));
      if (!inside) continue;
      state_.pending.push_back({rom + lo - ram, hi < 0 ? -1 : rom + hi - ram, addrOS, kEntries});
      resolveTables();
    }
    for (const auto& [atLo, atHi, address] : stored) {
      const std::int32_t i = atLo - lo;
      const bool entry = hi < 0 ? i >= 0 && i < 2 * kEntries && i % 2 == 0 && atHi == atLo + 1
                                : i >= 0 && i < kEntries && atHi == hi + i;
      const std::int32_t target = (address + addrOS) & 0xFFFF;
      if (!entry || code(target) || !plausibleTarget(target)) continue;
      trace(target, true);
      resolveTables();
    }
  }
}

}  // namespace morvane
