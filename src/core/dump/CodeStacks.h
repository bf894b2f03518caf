// The three stacks of addresses that wait for their run of code to be
// confirmed.
#pragma once

#include <array>
#include <cstdint>

namespace morvane {

// The stacks by number: messages name a full stack by it ("Stack 0 Full").
enum class CodeStack : int {
  Targets = 0,    // code targets, known code once the run is confirmed
  Tables = 1,     // table addresses, table labels once confirmed
  KnownCode = 2,  // instructions at known code, code labels once confirmed
};

class CodeStacks {
 public:
  static constexpr int kDepth = 100;

  // False when the stack already holds kDepth entries.
  bool PSPush(CodeStack stack, std::int32_t address);
  bool PSIn(CodeStack stack, std::int32_t address) const;
  void PSClear();
  // The newest entry, removed; -1 when the stack is empty.
  std::int32_t PSPop(CodeStack stack);
  int count(CodeStack stack) const { return counts_[static_cast<std::size_t>(stack)]; }

 private:
  std::array<std::array<std::int32_t, kDepth>, 3> entries_{};
  std::array<int, 3> counts_{};
  // How often each address stands on the Targets stack, which every instruction asks
  // about twice: a lookup instead of a walk through up to 100 entries.
  std::array<std::uint8_t, 0x10000> onStack0_{};
};

}  // namespace morvane
