#include "dump/CodeStacks.h"

namespace morvane {

namespace {
bool InRange(std::int32_t address) {
  return address >= 0 && address <= 0xFFFF;
}
}  // namespace

bool CodeStacks::PSPush(CodeStack stack, std::int32_t address) {
  int& n = counts_[static_cast<std::size_t>(stack)];
  if (n >= kDepth) return false;
  entries_[static_cast<std::size_t>(stack)][static_cast<std::size_t>(n++)] = address;
  if (stack == CodeStack::Targets && InRange(address))
    ++onStack0_[static_cast<std::size_t>(address)];
  return true;
}

bool CodeStacks::PSIn(CodeStack stack, std::int32_t address) const {
  if (stack == CodeStack::Targets)
    return InRange(address) && onStack0_[static_cast<std::size_t>(address)] != 0;
  const auto s = static_cast<std::size_t>(stack);
  for (int i = 0; i < counts_[s]; ++i) {
    if (entries_[s][static_cast<std::size_t>(i)] == address) return true;
  }
  return false;
}

void CodeStacks::PSClear() {
  while (PSPop(CodeStack::Targets) != -1) {
  }
  counts_ = {};
}

std::int32_t CodeStacks::PSPop(CodeStack stack) {
  int& n = counts_[static_cast<std::size_t>(stack)];
  if (n == 0) return -1;
  const std::int32_t address =
      entries_[static_cast<std::size_t>(stack)][static_cast<std::size_t>(--n)];
  if (stack == CodeStack::Targets && InRange(address))
    --onStack0_[static_cast<std::size_t>(address)];
  return address;
}

}  // namespace morvane
