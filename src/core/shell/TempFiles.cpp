#include "shell/TempFiles.h"

#include <atomic>

#include <unistd.h>

namespace morvane {

namespace {

// A job has only a few outputs open at a time, but the finished ones wait
// until it ends: a disk split may leave hundreds.
constexpr int kSlots = 4096;
std::atomic<const char*> gTemps[kSlots];

}  // namespace

int TrackTempFile(const char* name) noexcept {
  for (int i = 0; i < kSlots; ++i) {
    const char* expected = nullptr;
    if (gTemps[i].compare_exchange_strong(expected, name)) return i;
  }
  return -1;
}

void UntrackTempFile(int slot, const char* name) noexcept {
  if (slot < 0 || slot >= kSlots) return;
  gTemps[slot].compare_exchange_strong(name, nullptr);
}

void RemoveOpenTempFiles() noexcept {
  for (auto& slot : gTemps) {
    if (const char* name = slot.exchange(nullptr)) ::unlink(name);
  }
}

}  // namespace morvane
