// The three stacks of addresses that wait for their run of code to be
// confirmed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace morvane {

// The stacks by number.
enum class CodeStack : int {
  Targets = 0,    // code targets, known code once the run is confirmed
  Tables = 1,     // table addresses, table labels once confirmed
  KnownCode = 2,  // instructions at known code, code labels once confirmed
};

// The stacks grow as far as a run of code needs: a long run of valid code
// before its first return or jump is no reason to stop the dump.
class CodeStacks {
 public:
  void PSPush(CodeStack stack, std::int32_t address);
  bool PSIn(CodeStack stack, std::int32_t address) const;
  void PSClear();
  // The newest entry, removed; -1 when the stack is empty.
  std::int32_t PSPop(CodeStack stack);
  int count(CodeStack stack) const {
    return static_cast<int>(entries_[static_cast<std::size_t>(stack)].size());
  }

 private:
  std::array<std::vector<std::int32_t>, 3> entries_{};
  // How often each address stands on the Targets stack, which every
  // instruction asks about twice: a lookup instead of a walk. Made with the
  // first push: a dump with a Table List never uses that stack.
  std::vector<std::uint32_t> onStack0_;
};

}  // namespace morvane
