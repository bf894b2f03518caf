#include "dump/DumpContext.h"
#include "shell/JobError.h"

namespace morvane {

std::uint8_t RomCursor::read() {
  const int byte = file_.at(offset_);
  if (byte < 0) throw JobError(kErrPastEnd);
  ++offset_;
  return static_cast<std::uint8_t>(byte);
}

}  // namespace morvane
