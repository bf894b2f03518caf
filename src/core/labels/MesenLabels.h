// Mesen's label files (.mlb): one label a line, "P:ADDR[-END]:Name[:Comment]"
// with P for PRG ROM (the offset after the header), R internal RAM, S save
// RAM, W work RAM (offsets from 6000), G registers (CPU addresses).
#pragma once

#include <string>

#include "labels/LabelSet.h"
#include "labels/LabelStore.h"
#include "shell/InFile.h"

namespace morvane {

void ReadMesenLabels(const std::string& path, TextLines& lines, const INesHeader& header,
                     LabelSet& set);
// The names and comments of a store, as Mesen reads them; prgOffset: the
// file offset of the PRG ROM.
std::string MesenLabelsText(const LabelStore& d, std::int64_t prgOffset);

}  // namespace morvane
