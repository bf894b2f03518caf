// What a routine that pulls its return address does with the bytes after
// its calls, judged from its instructions.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "trace/CalleeScan.h"

namespace morvane {
namespace {

// Feeds "op[:operand] ..." (hex) to scan: one path through a routine.
void Feed(CalleeScan& scan, const std::string& steps) {
  std::stringstream in(steps);
  std::string step;
  while (in >> step) {
    const auto colon = step.find(':');
    const auto op = static_cast<std::uint8_t>(std::stoi(step.substr(0, colon), nullptr, 16));
    scan.step(op, colon == std::string::npos ? 0 : std::stoi(step.substr(colon + 1), nullptr, 16));
  }
}

struct Case {
  const char* what;
  const char* body;  // after pla / sta 10 / pla / sta 11
  Callee::Kind kind;
  int value;
  int jumpAt;
  const char* called = nullptr;  // a routine it calls
  int unit = 1;
};

TEST(CalleeScan, TellsTheShapeOfWhatFollowsTheCall) {
  const Case cases[] = {
      {"string up to 0", "A0:1 B1:10 F0 8D:2007 C8", Callee::Terminated, 0, -1},
      {"string up to FF", "B1:10 C9:FF D0 60", Callee::Terminated, 0xFF, -1},
      {"last character with bit 7", "B1:10 48 29:7F 8D:2007 68 10", Callee::Terminated,
       Callee::kHighBit, -1},
      {"led by its length", "A0:1 B1:10 85:20 C8 B1:10 C6:20 D0", Callee::Prefixed, 1, -1},
      {"a PPU address, then a length",
       "A0:1 B1:10 85:20 C8 B1:10 85:21 C8 B1:10 85:22 C8 B1:10 C6:22 D0", Callee::Prefixed, 3, -1},
      {"length in X", "B1:10 AA C8 CA D0", Callee::Prefixed, 1, -1},
      {"a count of addresses", "A0:1 B1:10 85:20 C8 B1:10 85:30 C8 B1:10 85:31 C6:20 D0",
       Callee::Prefixed, 1, -1, nullptr, 2},
      {"two bytes, returns", "A5:10 69:2 48 48 60", Callee::Counted, 2, -1},
      {"two bytes, JMP (ind) back", "A5:10 69:3 6C:10", Callee::Counted, 2, -1},
      {"an address to call", "A0:1 B1:10 85:30 C8 B1:10 85:31 69:2 48 48 6C:30", Callee::Counted, 2,
       0},
      {"bank, then the address to call",
       "A0:1 B1:10 85:32 C8 B1:10 85:30 C8 B1:10 85:31 69:3 48 48 6C:30", Callee::Counted, 3, 1},
      {"stepped by increments", "E6:10 E6:10 48 48 60", Callee::Counted, 2, -1},
      {"stepped on the stack", "BA BD:101 FE:101 D0 FE:102 FE:101 D0 FE:102 60", Callee::Counted, 2,
       -1},
      {"parameters by index", "A0:1 B1:10 A0:3 B1:10 60", Callee::Counted, 3, -1},
      {"engine, index doubled", "0A A8 B1:10 85:30 B1:10 85:31 6C:30", Callee::Engine, 0, -1},
      {"engine, index already even", "A8 B1:10 85:30 C8 B1:10 85:31 6C:30", Callee::Engine, 0, -1},
      {"engine through the stack", "A8 B1:10 48 88 B1:10 48 60", Callee::Engine, 1, -1},
      {"nothing to go by", "A9:0 8D:2000 60", Callee::Unknown, 0, -1},
      {"string printed by a routine it calls", "E6:10 D0 E6:11 20 A5:11 48 A5:10 48 60",
       Callee::Terminated, 0, -1, "A0:0 B1:10 F0 8D:2007 E6:10 D0"},
      {"through a copy of the pointer", "A5:10 85:30 A5:11 85:31 20 60", Callee::Terminated, 0, -1,
       "A0:0 B1:30 F0"},
      {"its parameter points at the string",
       "A0:1 B1:10 85:20 C8 B1:10 85:21 A5:10 69:2 48 48 B1:20 F0 60", Callee::Counted, 2, -1,
       "A0:0 B1:20 F0"},
  };
  for (const Case& c : cases) {
    CalleeScan scan;
    scan.path();
    Feed(scan, std::string("68 85:10 68 85:11 ") + c.body);
    if (c.called != nullptr) {
      scan.path(true);
      Feed(scan, c.called);
    }
    const Callee got = scan.verdict();
    EXPECT_EQ(got.kind, c.kind) << c.what;
    EXPECT_EQ(got.value, c.value) << c.what;
    EXPECT_EQ(got.jumpAt, c.jumpAt) << c.what;
    EXPECT_EQ(got.unit, c.unit) << c.what;
    EXPECT_FALSE(got.alsoReturns) << c.what;
  }
  // A branch taken before the pulls to a return: the three bytes the other
  // path steps over are an instruction.
  CalleeScan skip;
  skip.path(false, true);
  Feed(skip, "C9:0 D0 68 18 69:3 85:20 68 69:0 48 A5:20 48 60");
  skip.path(false, true);
  Feed(skip, "60");
  const Callee got = skip.verdict();
  EXPECT_EQ(got.kind, Callee::Counted);
  EXPECT_EQ(got.value, 3);
  EXPECT_TRUE(got.alsoReturns);
}

}  // namespace
}  // namespace morvane
