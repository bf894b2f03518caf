// What a routine that pulls its return address does with the bytes after
// its calls, judged from its instructions.
#include <gtest/gtest.h>

#include <vector>

#include "trace/CalleeScan.h"

namespace morvane {
namespace {

struct Step {
  std::uint8_t op;
  std::int32_t operand;
};
// pla / sta 10 / pla / sta 11: the return address in 10-11.
const std::vector<Step> kPull = {{0x68, 0}, {0x85, 0x10}, {0x68, 0}, {0x85, 0x11}};

struct Case {
  const char* what;
  std::vector<Step> body;
  Callee::Kind kind;
  int value;
  int jumpAt;
};

TEST(CalleeScan, TellsTheShapeOfWhatFollowsTheCall) {
  const Case cases[] = {
      {"string up to 0",
       {{0xA0, 1}, {0xB1, 0x10}, {0xF0, 0}, {0x8D, 0x2007}, {0xC8, 0}},
       Callee::Terminated,
       0,
       -1},
      {"string up to FF",
       {{0xB1, 0x10}, {0xC9, 0xFF}, {0xD0, 0}, {0x60, 0}},
       Callee::Terminated,
       0xFF,
       -1},
      {"last character with bit 7",
       {{0xB1, 0x10}, {0x48, 0}, {0x29, 0x7F}, {0x8D, 0x2007}, {0x68, 0}, {0x10, 0}},
       Callee::Terminated,
       Callee::kHighBit,
       -1},
      {"led by its length",
       {{0xA0, 1}, {0xB1, 0x10}, {0x85, 0x20}, {0xC8, 0}, {0xB1, 0x10}, {0xC6, 0x20}, {0xD0, 0}},
       Callee::Prefixed,
       0,
       -1},
      {"length in X",
       {{0xB1, 0x10}, {0xAA, 0}, {0xC8, 0}, {0xCA, 0}, {0xD0, 0}},
       Callee::Prefixed,
       0,
       -1},
      {"two bytes, returns",
       {{0xA5, 0x10}, {0x69, 2}, {0x48, 0}, {0x48, 0}, {0x60, 0}},
       Callee::Counted,
       2,
       -1},
      {"two bytes, JMP (ind) back",
       {{0xA5, 0x10}, {0x69, 3}, {0x6C, 0x10}},
       Callee::Counted,
       2,
       -1},
      {"an address to call",
       {{0xA0, 1},
        {0xB1, 0x10},
        {0x85, 0x30},
        {0xC8, 0},
        {0xB1, 0x10},
        {0x85, 0x31},
        {0x69, 2},
        {0x48, 0},
        {0x48, 0},
        {0x6C, 0x30}},
       Callee::Counted,
       2,
       0},
      {"bank, then the address to call",
       {{0xA0, 1},
        {0xB1, 0x10},
        {0x85, 0x32},
        {0xC8, 0},
        {0xB1, 0x10},
        {0x85, 0x30},
        {0xC8, 0},
        {0xB1, 0x10},
        {0x85, 0x31},
        {0x69, 3},
        {0x48, 0},
        {0x48, 0},
        {0x6C, 0x30}},
       Callee::Counted,
       3,
       1},
      {"stepped by increments",
       {{0xE6, 0x10}, {0xE6, 0x10}, {0x48, 0}, {0x48, 0}, {0x60, 0}},
       Callee::Counted,
       2,
       -1},
      {"parameters by index",
       {{0xA0, 1}, {0xB1, 0x10}, {0xA0, 3}, {0xB1, 0x10}, {0x60, 0}},
       Callee::Counted,
       3,
       -1},
      {"engine, index doubled",
       {{0x0A, 0}, {0xA8, 0}, {0xB1, 0x10}, {0x85, 0x30}, {0xB1, 0x10}, {0x85, 0x31}, {0x6C, 0x30}},
       Callee::Engine,
       0,
       -1},
      {"engine, index already even",
       {{0xA8, 0}, {0xB1, 0x10}, {0x85, 0x30}, {0xC8, 0}, {0xB1, 0x10}, {0x85, 0x31}, {0x6C, 0x30}},
       Callee::Engine,
       0,
       -1},
      {"engine through the stack",
       {{0xA8, 0}, {0xB1, 0x10}, {0x48, 0}, {0x88, 0}, {0xB1, 0x10}, {0x48, 0}, {0x60, 0}},
       Callee::Engine,
       1,
       -1},
      {"nothing to go by", {{0xA9, 0}, {0x8D, 0x2000}, {0x60, 0}}, Callee::Unknown, 0, -1},
  };
  for (const Case& c : cases) {
    CalleeScan scan;
    scan.path();
    for (const Step& s : kPull) scan.step(s.op, s.operand);
    for (const Step& s : c.body) scan.step(s.op, s.operand);
    const Callee got = scan.verdict();
    EXPECT_EQ(got.kind, c.kind) << c.what;
    EXPECT_EQ(got.value, c.value) << c.what;
    EXPECT_EQ(got.jumpAt, c.jumpAt) << c.what;
  }
}

}  // namespace
}  // namespace morvane
