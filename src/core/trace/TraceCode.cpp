#include "trace/TraceCode.h"

#include "shell/Values.h"
#include "trace/TraceRows.h"
#include "trace/Tracer.h"

namespace morvane {

namespace {

struct Vector {
  const char* name;
  std::int32_t at;
};
constexpr Vector kVectors[] = {{"RESET", 0xFFFC}, {"NMI", 0xFFFA}, {"IRQ", 0xFFFE}};

std::string Hex4(std::int32_t a) {
  return HexWord(a);
}

// Traces from a, or notes why it cannot.
void Enter(Tracer& tracer, const RomMap& map, std::int32_t a, const std::string& what,
           std::vector<std::string>& notes) {
  if (!map.mapped(a)) {
    notes.push_back(what + " points to " + Hex4(a) + ", outside the ROM.");
    return;
  }
  if (a >= 0xFFFA) {
    notes.push_back(what + " points to " + Hex4(a) + ", into the vectors.");
    return;
  }
  tracer.trace(a, false);
  if (!tracer.code(a)) notes.push_back(what + " points to " + Hex4(a) + ", which is not code.");
}

}  // namespace

std::array<OpcodeShape, 256> ShapesOf(const OpcodeSet& ops) {
  std::array<OpcodeShape, 256> shapes{};
  for (std::size_t b = 0; b < shapes.size(); ++b) {
    const AddressingModeDef& mode = ModeOf(ops, ops.opcodes[b]);
    shapes[b] = {mode.OperandKind, mode.Flags};
  }
  return shapes;
}

TraceResult TraceCode(const TraceRequest& request, const std::array<OpcodeShape, 256>& shapes) {
  TraceResult result;
  const RomMap map(request.rom, request.origin, request.base);
  result.notes = map.notes();
  Tracer tracer(map, shapes);
  std::vector<std::int32_t> vectors;
  if (map.word(0xFFFA) >= 0 && map.word(0xFFFE) >= 0) {
    for (const Vector& v : kVectors) {
      const std::int32_t target = map.word(v.at);
      Enter(tracer, map, target, std::string(v.name) + " vector " + Hex4(v.at), result.notes);
      vectors.push_back(target);
    }
  } else {
    result.notes.push_back("The vectors FFFA-FFFF are not in the ROM as mapped.");
  }
  for (const std::int32_t e : request.entries) {
    Enter(tracer, map, e, "Entry point " + Hex4(e), result.notes);
  }
  tracer.resolveTables();
  tracer.followLater();
  tracer.fillGaps(0x8000, 0xFFF9);
  RowRequest rows{map, tracer, request.origin, request.start, request.end};
  result.tablesText = TableRows(rows, result);
  return result;
}

}  // namespace morvane
