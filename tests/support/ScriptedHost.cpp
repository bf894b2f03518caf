#include "ScriptedHost.h"

#include <gtest/gtest.h>

namespace morvane {

std::optional<std::string> ScriptedHost::askFile(Dialog dialog) {
  asked.push_back(dialog);
  auto& queue = answers_[dialog];
  if (queue.empty()) return std::nullopt;
  auto answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

void ScriptedHost::enterBusy() {
  EXPECT_FALSE(busy) << "busy state entered twice";
  busy = true;
  ++busyEntered;
}

void ScriptedHost::leaveBusy() {
  EXPECT_TRUE(busy) << "idle state restored without a busy state";
  busy = false;
  ++busyLeft;
}

bool ScriptedHost::cancelRequested() {
  return cancelAfter_ >= 0 && yields >= cancelAfter_;
}

}  // namespace morvane
