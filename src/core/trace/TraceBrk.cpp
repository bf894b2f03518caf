// BRK used as a system call: the handler reads the byte after the BRK
// through the return address the BRK pushed, and returns past that byte.
#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;

bool Tracer::brkReadsByte() const {
  // tsx, then a read of 0102,x or 0103,x, or two pulls before any push:
  // the address the BRK pushed.
  constexpr int kScan = 32;
  std::int32_t p = map_.word(0xFFFE);
  bool stackRead = false;
  int depth = 0;
  for (int n = 0; n < kScan && p >= 0; ++n) {
    const int op = map_.byte(p);
    if (op < 0 || (flags_[op] & kFlagBad) != 0 || op == kBrk || op == kRti || op == kRts ||
        op == kJmpInd) {
      return false;
    }
    const std::int32_t operand = map_.word(p + 1);
    if (op == kJmp) {
      p = operand;
      continue;
    }
    if (op == kTsx) stackRead = true;
    if (op == kPha || op == kPhp) ++depth;
    if ((op == kPla || op == kPlp) && --depth <= -2) return true;
    if (stackRead && (op == kLdaAbsX || op == kLdyAbsX) &&
        (operand == 0x0102 || operand == 0x0103)) {
      return true;
    }
    p += length_[op];
  }
  return false;
}

bool Tracer::brkCall(std::int32_t& a) {
  // Zeros in data are not taken for calls: only a sure path makes one.
  if (strict_ || role(a) != kRoleNone || role(a + 1) == kRoleOpcode ||
      role(a + 1) == kRoleOperand) {
    return false;
  }
  setRole(a, kRoleOpcode);
  ++added_;
  markData(a + 1, 1);
  a += 2;
  return true;
}

}  // namespace morvane
