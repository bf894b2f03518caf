// The bank a path selects: the values it writes to the mapper, directly or
// through a routine it calls with the bank in a register.
#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;

namespace {

// The instructions of a routine read to see whether it switches banks.
constexpr int kRoutineLength = 48;

// The register a store to an absolute address writes: 0 A, 1 X, 2 Y; -1
// for any other instruction.
// A store of A by index: a bank written through a table of the bank
// numbers themselves, where the mapper's bus needs it.
int StoredRegister(std::uint8_t op) {
  if (op == kStaAbs || op == kStaAbsX || op == kStaAbsY) return 0;
  return op == kStxAbs ? 1 : op == kStyAbs ? 2 : -1;
}

int LoadedRegister(std::uint8_t op) {
  return op == kLdaImm ? 0 : op == kLdxImm ? 1 : op == kLdyImm ? 2 : -1;
}

}  // namespace

void Tracer::mapperWrite(std::int32_t at, int value) {
  const int mapper = map_.header().mapper;
  if (mapper == 4) {
    // MMC3: the even register below A000 names the bank register, the odd
    // one sets it; R6 and R7 hold the PRG banks.
    if (at >= 0xA000) return;
    if ((at & 1) == 0) {
      bank_.select = value;
    } else if (bank_.select < 0 || (bank_.select & 7) >= 6) {
      bank_.bank = bank_.select < 0 ? -1 : value;
    }
    return;
  }
  if (mapper == 1) {
    // MMC1 takes five writes of one bit each; the first holds the value.
    // Past 256 KiB another register picks the half it lies in, which the
    // trace does not follow.
    if (map_.header().prgBanks > 16) value = -1;
    if (at < 0xE000) return;
    if (bank_.serial > 0) {
      --bank_.serial;
      return;
    }
    bank_.bank = value < 0 ? -1 : value & 0x0F;
    bank_.serial = value < 0 ? 0 : 4;
    return;
  }
  bank_.bank = value;
}

bool Tracer::switchRoutine(std::int32_t a, int& select, int depth) const {
  bool writes = false;
  int held = -1;
  for (int i = 0; i < kRoutineLength; ++i) {
    Insn in;
    if (!decode(a, in)) return false;
    if (LoadedRegister(in.op) >= 0) held = in.operand;
    // A routine that calls one that switches banks switches them too.
    if (in.op == kJsr && depth > 0 && switchRoutine(in.operand, select, depth - 1)) writes = true;
    const int reg = StoredRegister(in.op);
    if (reg >= 0 && in.operand >= 0x8000) {
      const bool mmc3 = map_.header().mapper == 4;
      if (!mmc3 || ((in.operand & 1) != 0 && in.operand < 0xA000)) writes = true;
      if (map_.header().mapper == 4 && (in.operand & 1) == 0 && in.operand < 0xA000 && held >= 0) {
        select = held;
      }
    }
    if (in.op == kRts || in.op == kRti || in.op == kJmp || in.op == kJmpInd) return writes;
    a += length_[in.op];
  }
  return writes;
}

void Tracer::tracksBank(const Insn& in) {
  std::array<int, 3>& held = bank_.held;
  // Past a branch or a jump the code may be reached with another bank: a
  // loop that runs in whichever bank is in.
  if ((flags_[in.op] & kFlagLbl) != 0 && in.op != kJsr) {
    bank_ = {};
    return;
  }
  const int stored = StoredRegister(in.op);
  if (stored >= 0 && in.operand >= 0x8000) {
    mapperWrite(in.operand, held[static_cast<std::size_t>(stored)]);
  }
  if (in.op == kJsr && map_.mapped(in.operand)) {
    auto routine = switches_.find(in.operand);
    if (routine == switches_.end()) {
      int named = -1;
      const bool switches = switchRoutine(in.operand, named);
      routine = switches_.emplace(in.operand, std::make_pair(switches, named)).first;
    }
    const int select = routine->second.second >= 0 ? routine->second.second : bank_.select;
    if (routine->second.first) {
      // Called with the bank in a register: the first of A, X, Y that
      // holds a known one.
      int value = -1;
      for (const int h : held) {
        if (value < 0) value = h;
      }
      bank_.select = select;
      bank_.serial = 0;
      if (map_.header().mapper == 4 && (select & 7) < 6) value = -1;
      if (map_.header().mapper == 1 && map_.header().prgBanks > 16) value = -1;
      bank_.bank = value < 0 ? -1 : map_.header().mapper == 1 ? value & 0x0F : value;
    }
    held = {-1, -1, -1};
    return;
  }
  const int loaded = LoadedRegister(in.op);
  for (std::size_t r = 0; r < 3; ++r) {
    if (!Writes(static_cast<int>(r), in.op)) continue;
    if (static_cast<int>(r) == loaded) {
      held[r] = in.operand;
    } else if (in.op == kTax || in.op == kTay) {
      held[r] = held[0];
    } else if (in.op == kTxa || in.op == kTya) {
      held[r] = held[in.op == kTxa ? 1 : 2];
    } else {
      held[r] = -1;
    }
  }
}

}  // namespace morvane
