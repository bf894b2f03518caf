#include "trace/RomTrace.h"

#include <algorithm>
#include <tuple>

#include "shell/Values.h"
#include "trace/BankWindow.h"
#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane {

namespace {

// Instructions the entries whose bank is not known may try, over the whole
// ROM: as many as the trace of one block may try in its gaps.
constexpr std::int64_t kBudget = 8'000'000;
// Times the banks are traced again for entries found later, at most.
constexpr int kRounds = 4;

struct Pass {
  const std::string& rom;
  const std::array<OpcodeShape, 256>& shapes;
  const INesHeader header;
  RomTrace result;
  std::vector<std::vector<RomEntry>> seen;  // per block: every entry tried there
  std::vector<bool> dirty;
  std::int64_t budget = kBudget;

  std::int64_t offsetOf(std::size_t block) const {
    return header.prgOffset + static_cast<std::int64_t>(block) * kPrgBankSize;
  }
  bool holds(std::size_t block, std::int32_t a) const {
    return a >= result.bases[block] && a < result.bases[block] + result.sizes[block];
  }
  // Adds e to what block is to try; true when it is new there.
  bool add(std::size_t block, const RomEntry& e) {
    std::vector<RomEntry>& list = seen[block];
    for (RomEntry& have : list) {
      if (have.to != e.to || have.from != e.from || have.block != e.block) continue;
      if (!e.sure || have.sure) return false;
      have.sure = true;
      return true;
    }
    list.push_back(e);
    return true;
  }
  void traceBlock(std::size_t b);
};

void Pass::traceBlock(std::size_t b) {
  const std::int32_t base = result.bases[b];
  const RomMap map(rom, base - offsetOf(b), base);
  Tracer tracer(map, shapes, budget);
  for (const op6502::Vector& v : op6502::kVectors) {
    const std::int32_t target = map.word(v.at);
    if (target >= 0 && target < 0xFFFA && map.mapped(target)) tracer.trace(target, false);
  }
  std::vector<RomEntry> kept;
  const std::vector<RomEntry> entries = seen[b];
  for (const RomEntry& e : entries) {
    if (e.sure) tracer.trace(e.to, false);
  }
  tracer.resolveTables();
  for (const RomEntry& e : entries) {
    if (!e.sure && !tracer.code(e.to)) tracer.trace(e.to, true);
    if (e.sure || tracer.code(e.to)) kept.push_back(e);
    tracer.resolveTables();
  }
  tracer.followLater();
  for (const Tracer::FarCall& call : tracer.farCalls()) {
    const std::int64_t at = map.offset(call.from) - header.prgOffset;
    const RomEntry e{call.to, static_cast<int>(at / kPrgBankSize), call.from, call.bank >= 0};
    if (e.sure) {
      const int to = map.blockOf(call.bank);
      const auto c = static_cast<std::size_t>(to);
      if (to >= 0 && holds(c, call.to) && add(c, e) && c != b) dirty[c] = true;
      if (to >= 0 && c == b && holds(c, call.to)) kept.push_back(e);
      continue;
    }
    for (std::size_t c = 0; c < result.bases.size(); ++c) {
      if (c == b && holds(c, call.to)) add(c, e);
      if (c == b && tracer.code(call.to)) kept.push_back(e);
      if (c != b && holds(c, call.to) && add(c, e)) dirty[c] = true;
    }
  }
  // What this block holds: the sure entries and those that proved code here.
  std::vector<RomEntry>& list = result.entries[b];
  list.clear();
  for (const RomEntry& k : kept) {
    const bool have = std::any_of(list.begin(), list.end(), [&](const RomEntry& e) {
      return e.to == k.to && e.from == k.from && e.block == k.block;
    });
    if (!have) list.push_back(k);
  }
}

}  // namespace

std::vector<RomEntry> RomTrace::into(std::int64_t block, std::int32_t base) const {
  if (block < 0 || block >= static_cast<std::int64_t>(bases.size())) return {};
  const auto b = static_cast<std::size_t>(block);
  return bases[b] == base ? entries[b] : std::vector<RomEntry>{};
}

RomTrace TraceWholeRom(const std::string& rom, const std::array<OpcodeShape, 256>& shapes) {
  Pass pass{rom, shapes, ReadINesHeader(rom), {}, {}, {}};
  const INesHeader& h = pass.header;
  const std::int64_t have = (static_cast<std::int64_t>(rom.size()) - h.prgOffset) / kPrgBankSize;
  const std::int64_t blocks = std::min<std::int64_t>(h.prgBanks, have);
  if (!h.present || h.prgBanks <= 2 || blocks <= 0 || SwitchesAll32K(h.mapper)) return {};
  const auto n = static_cast<std::size_t>(blocks);
  pass.result.entries.resize(n);
  pass.seen.resize(n);
  // MMC3's windows, found once for every bank.
  const std::vector<std::int32_t> mmc3 =
      h.mapper == 4 ? Mmc3Windows(rom) : std::vector<std::int32_t>{};
  // And MMC1's control value, which the whole ROM's writes give.
  const int control = Mmc1Control(rom);
  for (std::size_t b = 0; b < n; ++b) {
    const bool last = static_cast<std::int64_t>(b) + 1 == h.prgBanks;
    const BankWindow w = mmc3.empty() ? FindBankWindow(rom, pass.offsetOf(b), control)
                                      : Mmc3Window(mmc3, static_cast<std::int64_t>(2 * b));
    // The last bank at C000 but for MMC3 with R6 switching C000.
    const bool fixedAtC000 = last && (h.mapper != 4 || w.base == 0xC000);
    pass.result.bases.push_back(fixedAtC000 ? 0xC000 : w.base);
    pass.result.sizes.push_back(fixedAtC000 ? 0x4000 : w.size);
  }
  pass.dirty.assign(n, true);
  for (int round = 0; round < kRounds; ++round) {
    bool any = false;
    for (std::size_t b = 0; b < n; ++b) {
      if (!pass.dirty[b]) continue;
      pass.dirty[b] = false;
      any = true;
      pass.traceBlock(b);
    }
    if (!any) break;
  }
  // In the order of the addresses they enter at, then of the calls.
  for (std::vector<RomEntry>& list : pass.result.entries) {
    std::sort(list.begin(), list.end(), [](const RomEntry& x, const RomEntry& y) {
      return std::tie(x.to, x.block, x.from) < std::tie(y.to, y.block, y.from);
    });
  }
  return std::move(pass.result);
}

}  // namespace morvane
