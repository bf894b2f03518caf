#include "dump/DumpContext.h"
#include "shell/JobError.h"

namespace morvane {

void RomCursor::pastEnd() const {
  throw JobError(kErrPastEnd, {},
                 "The ROM holds " + std::to_string(size()) +
                     " bytes: it ends inside the statement being read.");
}

}  // namespace morvane
