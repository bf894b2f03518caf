// Label files in an 8-bit Code dump: the names they give the dumped block
// and RAM, and the files of the names the listing used.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "labels/LabelSet.h"

namespace morvane {

struct CodeDump;

// Keeps what a label file gives the dumped block (by file offset) and RAM,
// names given twice suffixed (with a note in d.labels.notes).
void TakeDumpLabels(CodeDump& d, const LabelSet& set);
// Gives the names to the comments: a name of the block is its read name, a
// RAM name its read and write name, over the Op_Codes file's.
void NameFromLabels(CodeDump& d);
// The label files of format ("mlb" or "nl") of the names the listing used,
// beside the ROM at romPath: paths and texts.
std::vector<std::pair<std::string, std::string>> DumpLabelFiles(const CodeDump& d,
                                                                const std::string& romPath,
                                                                const std::string& format,
                                                                std::int64_t prgOffset);

}  // namespace morvane
