#include "dump/UnofficialOpcodes.h"

#include "shell/DataFiles.h"
#include "shell/JobError.h"

namespace morvane {

namespace {

bool SameMode(const AddressingModeDef& a, const AddressingModeDef& b) {
  return a.Format == b.Format && a.Operand == b.Operand && a.Flags == b.Flags;
}

// The slot of set's modes that holds mode, made in a slot no opcode uses
// when none does; 0 when every slot is taken.
int SlotFor(const AddressingModeDef& mode, OpcodeSet& set) {
  std::array<bool, kModeSlots> used{};
  for (const OpcodeDef& op : set.opcodes) {
    if (op.Mode > 0 && op.Mode < kModeSlots) used[static_cast<std::size_t>(op.Mode)] = true;
  }
  for (std::size_t s = 1; s < used.size(); ++s) {
    if (used[s] && SameMode(set.modes[s], mode)) return static_cast<int>(s);
  }
  for (std::size_t s = 1; s < used.size(); ++s) {
    if (!used[s]) {
      set.modes[s] = mode;
      return static_cast<int>(s);
    }
  }
  return 0;
}

}  // namespace

void AddOpcodesFrom(const OpcodeSet& extra, OpcodeSet& set) {
  for (std::size_t b = 0; b < set.opcodes.size(); ++b) {
    OpcodeDef& op = set.opcodes[b];
    const OpcodeDef& more = extra.opcodes[b];
    const AddressingModeDef& mode = ModeOf(extra, more);
    if ((ModeOf(set, op).Flags & kFlagBad) == 0 || (mode.Flags & kFlagBad) != 0) continue;
    const int slot = SlotFor(mode, set);
    if (slot == 0) continue;
    op = more;
    op.Mode = slot;
  }
}

void AddUnofficialOpcodes(OpcodeSet& set) {
  const std::string path = BundledFile(kUnofficialOpCodes);
  if (path.empty()) throw JobError(kErrFileNotFound, kUnofficialOpCodes);
  OpcodeSet extra;
  ReadOpCodes(path, extra);
  AddOpcodesFrom(extra, set);
}

}  // namespace morvane
