// The debug file ld65 writes (--dbgfile): its "seg" lines say where each
// segment lies in the output file, its "sym" lines the program's names.
#pragma once

#include <string>

#include "labels/LabelSet.h"
#include "shell/InFile.h"

namespace morvane {

// Labels in segments the ROM file holds become names by file offset; labels
// in RAM segments and equates below 8000 names of RAM. Cheap local labels
// (@name) are left out.
void ReadCa65DebugFile(const std::string& path, TextLines& lines, LabelSet& set);

}  // namespace morvane
