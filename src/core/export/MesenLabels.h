// Mesen's label files (.mlb): one label a line, "P:ADDR[-END]:Name[:Comment]"
// with P for PRG ROM (the offset after the header), R internal RAM, S save
// RAM, W work RAM (offsets from 6000), G registers (CPU addresses).
#pragma once

#include <string>

#include "export/Disassembly.h"
#include "export/LabelSet.h"
#include "shell/InFile.h"

namespace morvane {

void ReadMesenLabels(const std::string& path, TextLines& lines, const INesHeader& header,
                     LabelSet& set);
// The names and comments the model uses, as Mesen reads them.
std::string MesenLabelsText(const Disassembly& d);

}  // namespace morvane
