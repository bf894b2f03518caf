#include "dump/DumpContext.h"
#include "shell/JobError.h"

namespace morvane {

std::uint8_t RomCursor::read() {
  const int byte = file_.at(offset_);
  if (byte < 0) {
    throw JobError(kErrPastEnd, {},
                   "The ROM holds " + std::to_string(size()) +
                       " bytes: it ends inside the statement being read.");
  }
  ++offset_;
  return static_cast<std::uint8_t>(byte);
}

}  // namespace morvane
