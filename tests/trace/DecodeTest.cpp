// The model's decoded instruction: the listing (shapes from the Op_Codes
// file) and the export (the official table) decode every official opcode
// alike, and the operand's value is read right at the edges.
#include <gtest/gtest.h>

#include "dump/Definitions.h"
#include "model/Instruction.h"
#include "trace/Opcodes6502Table.h"

namespace morvane {
namespace {

TEST(Decode, ListingAndExportDecodeEveryOfficialOpcodeAlike) {
  OpcodeSet ops;
  ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
  const auto shapes = ShapesOf(ops);
  const std::uint8_t operand[2] = {0xF0, 0x12};
  int official = 0;
  for (int op = 0; op < 256; ++op) {
    const Mode mode = Official6502(static_cast<std::uint8_t>(op)).mode;
    if (mode == Mode::None) continue;
    ++official;
    const auto b = static_cast<std::uint8_t>(op);
    const Instruction listed = Decode(shapes[b], 0xC000, b, operand, 2);
    const Instruction exported = Decode(ShapeOf(mode), 0xC000, b, operand, 2);
    EXPECT_EQ(listed.kind, exported.kind) << op;
    EXPECT_EQ(listed.length(), LengthOf(mode)) << op;
    EXPECT_EQ(listed.value, exported.value) << op;
  }
  EXPECT_EQ(official, 151);
}

TEST(Decode, OperandValuesAtTheEdges) {
  struct Case {
    OperandKind kind;
    std::int32_t address;
    std::uint8_t lo, hi;
    int have;
    int length;
    std::int32_t value;
    bool refers;
  };
  const Case cases[] = {
      {OperandKind::Word, 0x8000, 0x34, 0x12, 2, 3, 0x1234, true},
      {OperandKind::Word, 0xFFFE, 0x34, 0x12, 1, 1, 0, false},  // cut by the file's end
      {OperandKind::Byte, 0x8000, 0x02, 0, 1, 2, 0x02, true},
      {OperandKind::Relative, 0x8010, 0xFE, 0, 1, 2, 0x8010, true},  // branch to itself
      {OperandKind::Relative, 0xFFF0, 0x7F, 0, 1, 2, 0x10071, false},
      {OperandKind::Relative, 0x0010, 0x80, 0, 1, 2, -0x6E, false},
      {OperandKind::None, 0x8000, 0x34, 0x12, 2, 1, 0, false},
  };
  for (const Case& c : cases) {
    const std::uint8_t operand[2] = {c.lo, c.hi};
    const Instruction in = Decode({c.kind, 0}, c.address, 0xEA, operand, c.have);
    EXPECT_EQ(in.length(), c.length) << c.address;
    EXPECT_EQ(in.value, c.value) << c.address;
    EXPECT_EQ(in.refers(), c.refers) << c.address;
  }
}

}  // namespace
}  // namespace morvane
