// Where the bundled files (Op_Codes_NES.txt, the sample) are found.
#pragma once

#include <string>

namespace morvane {

// Remembers the program's own path, for finding files installed beside it.
void SetProgramPath(const std::string& argv0);
// Path of a bundled data file, or "" when it can't be found. Looks in
// $MORVANE_DATA_DIR, then <prefix>/share/morvane, then the source tree.
std::string BundledFile(const std::string& name);

}  // namespace morvane
