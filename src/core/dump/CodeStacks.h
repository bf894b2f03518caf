// The three stacks of addresses that wait for their run of code to be
// confirmed: 0 code targets, 1 table addresses, 2 instructions at known code.
#pragma once

#include <array>
#include <cstdint>

namespace morvane {

class CodeStacks {
 public:
  static constexpr int kDepth = 100;

  // False when the stack already holds kDepth entries.
  bool PSPush(int stack, std::int32_t address);
  bool PSIn(int stack, std::int32_t address) const;
  void PSClear();
  // The newest entry, removed; -1 when the stack is empty.
  std::int32_t PSPop(int stack);
  int count(int stack) const { return counts_[static_cast<std::size_t>(stack)]; }

 private:
  std::array<std::array<std::int32_t, kDepth>, 3> entries_{};
  std::array<int, 3> counts_{};
  // How often each address stands on stack 0, which every instruction asks
  // about twice: a lookup instead of a walk through up to 100 entries.
  std::array<std::uint8_t, 0x10000> onStack0_{};
};

}  // namespace morvane
