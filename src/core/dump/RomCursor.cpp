#include "dump/DumpContext.h"
#include "shell/JobError.h"

namespace morvane {

std::uint8_t RomCursor::read() {
  if (offset_ < 0 || offset_ >= size()) {
    throw JobError(kErrPastEnd, {},
                   "The ROM holds " + std::to_string(size()) +
                       " bytes: it ends inside the statement being read.");
  }
  return static_cast<std::uint8_t>(bytes_[static_cast<std::size_t>(offset_++)]);
}

int RomCursor::peekAt(std::int64_t offset) const {
  if (offset < 0 || offset >= size()) return -1;
  return static_cast<std::uint8_t>(bytes_[static_cast<std::size_t>(offset)]);
}

}  // namespace morvane
