#include "model/Instruction.h"

namespace morvane {

std::array<OpcodeShape, 256> ShapesOf(const OpcodeSet& ops) {
  std::array<OpcodeShape, 256> shapes{};
  for (std::size_t b = 0; b < shapes.size(); ++b) {
    const AddressingModeDef& mode = ModeOf(ops, ops.opcodes[b]);
    shapes[b] = {mode.Operand, mode.Flags};
  }
  return shapes;
}

}  // namespace morvane
