#include "dump/CodeStacks.h"

#include <algorithm>

namespace morvane {

namespace {
bool InRange(std::int32_t address) {
  return address >= 0 && address <= 0xFFFF;
}
}  // namespace

void CodeStacks::PSPush(CodeStack stack, std::int32_t address) {
  entries_[static_cast<std::size_t>(stack)].push_back(address);
  if (stack == CodeStack::Targets && InRange(address)) {
    if (onStack0_.empty()) onStack0_.resize(0x10000);
    ++onStack0_[static_cast<std::size_t>(address)];
  }
}

bool CodeStacks::PSIn(CodeStack stack, std::int32_t address) const {
  if (stack == CodeStack::Targets)
    return InRange(address) && !onStack0_.empty() &&
           onStack0_[static_cast<std::size_t>(address)] != 0;
  const std::vector<std::int32_t>& s = entries_[static_cast<std::size_t>(stack)];
  return std::find(s.begin(), s.end(), address) != s.end();
}

void CodeStacks::PSClear() {
  while (PSPop(CodeStack::Targets) != -1) {
  }
  for (std::vector<std::int32_t>& s : entries_) s.clear();
}

std::int32_t CodeStacks::PSPop(CodeStack stack) {
  std::vector<std::int32_t>& s = entries_[static_cast<std::size_t>(stack)];
  if (s.empty()) return -1;
  const std::int32_t address = s.back();
  s.pop_back();
  if (stack == CodeStack::Targets && InRange(address))
    --onStack0_[static_cast<std::size_t>(address)];
  return address;
}

}  // namespace morvane
