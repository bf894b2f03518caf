// Speculative entries: one that fails leaves the trace exactly as it was,
// whatever it marked and found on its way.
#include <gtest/gtest.h>

#include "dump/Definitions.h"
#include "trace/TraceCode.h"
#include "trace/Tracer.h"

namespace morvane::test {
namespace {

struct Seen {
  std::vector<ByteRole> roles;
  std::vector<FoundTable> tables;
  std::size_t farCalls = 0;
  bool operator==(const Seen& o) const {
    if (roles != o.roles || farCalls != o.farCalls || tables.size() != o.tables.size())
      return false;
    for (std::size_t i = 0; i < tables.size(); ++i) {
      const FoundTable &x = tables[i], &y = o.tables[i];
      if (x.start != y.start || x.count != y.count || x.partner != y.partner) return false;
    }
    return true;
  }
};

Seen Snapshot(const Tracer& t) {
  Seen s;
  // Only the ROM's addresses: nothing else is ever code or data.
  s.roles.resize(0x8000);
  for (std::int32_t a = 0x8000; a <= 0xFFFF; ++a)
    s.roles[static_cast<std::size_t>(a - 0x8000)] = t.role(a);
  s.tables = t.tables();
  s.farCalls = t.farCalls().size();
  return s;
}

TEST(TracerTrial, AFailedEntryLeavesTheTraceAsItWas) {
  OpcodeSet ops;
  ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
  const auto shapes = ShapesOf(ops);
  // UxROM, bank 0 dumped at 8000 and the last fixed at C000; 02 (never code)
  // everywhere but the entries tried in the fixed bank.
  std::string rom = std::string("NES\x1A\x04\x00\x20", 7) + std::string(9, '\0');
  rom += std::string(4 * 0x4000, '\x02');
  const auto put = [&](std::int32_t a, std::initializer_list<int> bytes) {
    auto at = static_cast<std::size_t>(16 + 3 * 0x4000 + (a - 0xC000));
    for (const int b : bytes) rom[at++] = static_cast<char>(b);
  };
  struct Case {
    std::int32_t at;
    std::initializer_list<int> bytes;
    bool kept;
  };
  const Case cases[] = {
      {0xC100, {0xA9, 0x12, 0x8D, 0x00, 0x02, 0x02}, false},  // two instructions, then none
      {0xC110, {0x20, 0x00, 0x81, 0xEA, 0x02}, false},        // a far call on the way
      {0xC120, {0xBD, 0x34, 0x92, 0x02}, false},              // a table read on the way
      {0xC130, {0x20, 0x00, 0xC1, 0xEA, 0x60}, false},        // calls one that fails
      {0xC140, {0x6C, 0x00, 0x03}, false},                    // one instruction only
      {0xC150, {0xA9, 0x01, 0x60}, true},
  };
  for (const Case& c : cases) put(c.at, c.bytes);
  const RomMap map(rom, 0x8000 - 16, 0x8000);
  std::int64_t budget = 1'000'000;
  Tracer tracer(map, shapes, budget);
  for (const Case& c : cases) {
    const Seen before = Snapshot(tracer);
    tracer.trace(c.at, true, 2);
    tracer.resolveTables();
    EXPECT_EQ(tracer.role(c.at), c.kept ? kRoleOpcode : kRoleNone) << std::hex << c.at;
    if (!c.kept) {
      EXPECT_TRUE(Snapshot(tracer) == before) << std::hex << c.at;
    }
  }
}

}  // namespace
}  // namespace morvane::test
