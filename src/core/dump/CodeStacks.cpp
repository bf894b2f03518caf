#include "dump/CodeStacks.h"

namespace morvane {

bool CodeStacks::PSPush(int stack, std::int32_t address) {
  int& n = counts_[static_cast<std::size_t>(stack)];
  if (n >= kDepth) return false;
  entries_[static_cast<std::size_t>(stack)][static_cast<std::size_t>(n++)] = address;
  return true;
}

bool CodeStacks::PSIn(int stack, std::int32_t address) const {
  const auto s = static_cast<std::size_t>(stack);
  for (int i = 0; i < counts_[s]; ++i) {
    if (entries_[s][static_cast<std::size_t>(i)] == address) return true;
  }
  return false;
}

void CodeStacks::PSClear() {
  counts_ = {};
}

std::int32_t CodeStacks::PSPop(int stack) {
  int& n = counts_[static_cast<std::size_t>(stack)];
  if (n == 0) return -1;
  return entries_[static_cast<std::size_t>(stack)][static_cast<std::size_t>(--n)];
}

}  // namespace morvane
