#include "trace/TraceCode.h"

#include <algorithm>
#include <memory>

#include "shell/Values.h"
#include "trace/CodeDataLog.h"
#include "trace/Opcodes6502.h"
#include "trace/TraceRows.h"
#include "trace/Tracer.h"

namespace morvane {

namespace {

// Instructions tried from places nothing reaches, at most: real programs
// need a few thousand, no input may make the trace slow.
constexpr std::int64_t kSpeculativeBudget = 8'000'000;

// Traces from a, or notes why it cannot; vector: a is where a vector leads.
void Enter(Tracer& tracer, const RomMap& map, std::int32_t a, const std::string& what, bool vector,
           std::vector<std::string>& notes) {
  const std::string where = what + " " + HexWord(a);
  const bool ram = a >= 0x0200 && op6502::InRam(a);  // not zero page or the stack
  if (!map.mapped(a) && ram && vector) {
    // A handler in RAM is usually a jump the program writes there.
    notes.push_back(where + " lies in RAM; a jump the program writes there is followed.");
  } else if (!map.mapped(a)) {
    notes.push_back(where + " lies outside the ROM.");
  } else if (a >= 0xFFFA) {
    notes.push_back(where + " lies in the vectors.");
  } else {
    tracer.trace(a, false);
    if (!tracer.code(a)) notes.push_back(where + " does not hold code.");
  }
}

// What the trace saw: the mapper and where it started.
std::string Seen(const RomMap& map, const std::vector<std::string>& starts) {
  const INesHeader& h = map.header();
  std::string text = h.present ? "Mapper " + std::to_string(h.mapper) + ", " +
                                     std::to_string(h.prgBanks * 16) + " KiB of PRG ROM."
                               : "No iNES header: only the dumped block is traced.";
  if (!starts.empty()) {
    text += " Traced from";
    for (const std::string& s : starts) text += " " + s;
    text += ".";
  }
  return text;
}

// Traces from the vectors and the entry points; what it entered goes to
// starts.
// What the whole-ROM trace found entering the block is traced too, each
// said in entered.
void EnterAll(Tracer& tracer, const RomMap& map, const std::vector<std::int32_t>& entries,
              std::vector<std::string>& notes, std::vector<std::string>& starts,
              const std::vector<RomEntry>& found = {},
              std::vector<std::string>* entered = nullptr) {
  if (map.word(0xFFFA) >= 0 && map.word(0xFFFE) >= 0) {
    for (const op6502::Vector& v : op6502::kVectors) {
      const std::int32_t target = map.word(v.at);
      Enter(tracer, map, target, std::string("The ") + v.name + " vector's target", true, notes);
      starts.push_back(std::string(v.name) + " " + HexWord(target));
    }
  } else {
    notes.push_back("The vectors FFFA-FFFF are not in the ROM as mapped.");
  }
  for (const std::int32_t e : entries) {
    Enter(tracer, map, e, "Entry point", false, notes);
    starts.push_back("entry " + HexWord(e));
  }
  tracer.resolveTables();
  // The sure entries first: what the others are tried against.
  for (const bool sure : {true, false}) {
    for (const RomEntry& e : found) {
      if (e.sure != sure) continue;
      tracer.trace(e.to, !e.sure);
      tracer.resolveTables();
    }
  }
  for (const RomEntry& e : found) {
    if (!tracer.code(e.to) || entered == nullptr) continue;
    entered->push_back("Entered at " + HexWord(e.to) + " from bank " + std::to_string(e.block) +
                       " at " + HexWord(e.from) + (e.sure ? "." : ", its bank not known."));
  }
  tracer.followLater();
}

// The fixed bank dumped: the code of each switched bank may call routines
// there that nothing in the fixed bank calls (a far-call trampoline).
void FollowOtherBanks(Tracer& tracer, const TraceRequest& request, const RomMap& map,
                      const std::array<OpcodeShape, 256>& shapes, std::int64_t& budget) {
  for (const std::int64_t origin : map.otherBanks()) {
    const RomMap other(request.rom, origin, 0x8000);
    Tracer there(other, shapes, budget);
    std::vector<std::string> notes, starts;
    EnterAll(there, other, request.entries, notes, starts);
    there.fillGaps(0x8000, 0xBFFF);
    for (std::int32_t a = 0xC000; a <= 0xFFF9; ++a) {
      if (there.role(a) == kRoleOpcode && !tracer.code(a)) {
        tracer.trace(a, true);
        tracer.resolveTables();
      }
    }
  }
}

// What a code/data log says of the bytes the CPU sees: its data is data
// before anything is traced, each byte of its code that nothing reached yet
// an entry point.
void FollowLog(Tracer& tracer, const RomMap& map, const std::vector<std::uint8_t>& marks,
               bool code) {
  for (std::int32_t a = 0x8000; a <= 0xFFFF; ++a) {
    const std::int64_t at = map.offset(a) - map.header().prgOffset;
    if (map.offset(a) < 0 || at < 0 || at >= static_cast<std::int64_t>(marks.size())) continue;
    const std::uint8_t m = marks[static_cast<std::size_t>(at)];
    if (!code && (m & kLogData) != 0 && (m & kLogCode) == 0) tracer.knownData(a);
    if (code && (m & kLogCode) != 0 && tracer.role(a) == kRoleNone) tracer.trace(a, false);
  }
}

}  // namespace

// Runs the whole trace of the request's block and hands what it found to use;
// places nothing reaches are tried from gapsFrom to gapsTo.
template <typename Use>
void RunTrace(const TraceRequest& request, const std::array<OpcodeShape, 256>& shapes,
              std::int32_t gapsFrom, std::int32_t gapsTo, Use use) {
  // On the heap, whose freed memory the dump's own tables take over.
  const auto mapped = std::make_unique<const RomMap>(request.rom, request.origin, request.base);
  const RomMap& map = *mapped;
  std::vector<std::string> notes;
  std::vector<std::string> starts;
  std::int64_t budget = kSpeculativeBudget;
  Tracer tracer(map, shapes, budget);
  if (request.logged != nullptr) {
    FollowLog(tracer, map, *request.logged, false);
    FollowLog(tracer, map, *request.logged, true);
  }
  std::vector<std::string> entered;
  EnterAll(tracer, map, request.entries, notes, starts, request.found, &entered);
  std::vector<std::string> all;
  if (!request.window.empty())
    all.push_back("Window " + HexWord(request.base) + ": " + request.window);
  all.insert(all.end(), map.notes().begin(), map.notes().end());
  all.push_back(Seen(map, starts));
  all.insert(all.end(), notes.begin(), notes.end());
  all.insert(all.end(), entered.begin(), entered.end());
  FollowOtherBanks(tracer, request, map, shapes, budget);
  tracer.fillGaps(gapsFrom, gapsTo);
  tracer.showSkips();
  if (budget < 0) {
    all.push_back("Stopped trying the places nothing reaches as code after " +
                  std::to_string(kSpeculativeBudget) +
                  " instructions; give the code they hold with --entry.");
  }
  use(map, tracer, std::move(all), std::move(entered));
}

TraceResult TraceCode(const TraceRequest& request, const std::array<OpcodeShape, 256>& shapes) {
  TraceResult result;
  RunTrace(request, shapes, 0x8000, 0xFFF9,
           [&](const RomMap& map, const Tracer& tracer, auto notes, auto entered) {
             result.notes = std::move(notes);
             result.fromBanks = std::move(entered);
             RowRequest rows{map, tracer, request.origin, request.start, request.end,
                             request.titles};
             result.tablesText = TableRows(rows, result);
             if (!request.writesLog) return;
             const INesHeader& h = map.header();
             const auto prg = static_cast<std::size_t>(h.prgBanks * kPrgBankSize);
             result.marks.assign(prg, 0);
             result.slots.assign(prg, 0);
             for (std::int32_t a = 0x8000; a <= 0xFFFF; ++a) {
               const std::int64_t at = map.offset(a) - h.prgOffset;
               if (map.offset(a) < 0 || at < 0 || at >= static_cast<std::int64_t>(prg)) continue;
               const ByteRole r = tracer.role(a);
               const auto i = static_cast<std::size_t>(at);
               result.marks[i] = r == kRoleData ? kLogData : r == kRoleNone ? 0 : kLogCode;
               result.slots[i] = static_cast<std::uint8_t>((a >> 13) & 3);
             }
           });
  return result;
}

TracedBlock TraceBlock(const TraceRequest& request, const std::array<OpcodeShape, 256>& shapes) {
  TracedBlock block;
  // Only the block's own places nothing reaches are tried: its caller traces
  // every other block in its turn.
  const std::int32_t to = std::min(request.end, 0xFFF9);
  RunTrace(request, shapes, request.start, to,
           [&](const RomMap&, const Tracer& tracer, auto, auto) {
             block.role.resize(0x10000);
             for (std::int32_t a = 0; a <= 0xFFFF; ++a)
               block.role[static_cast<std::size_t>(a)] = tracer.role(a);
             for (const FoundTable& t : tracer.tables()) {
               if (t.via < 0) block.tables.push_back({t.start, t.count, t.partner, t.addrOS});
             }
           });
  return block;
}

}  // namespace morvane
