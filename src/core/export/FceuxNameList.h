// FCEUX's name lists (.nl): "$ADDR[/SIZE]#Name#Comment" a line, a comment's
// further lines starting with \. One file per 16 KiB bank of PRG ROM
// ("<rom file>.<bank in hex>.nl", CPU addresses) and one for RAM
// ("<rom file>.ram.nl").
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "export/Disassembly.h"
#include "export/LabelSet.h"
#include "shell/InFile.h"

namespace morvane {

void ReadFceuxNameList(const std::string& path, TextLines& lines, const INesHeader& header,
                       LabelSet& set);
// The files (name suffix after the ROM's file name, text) that hold the
// names and comments the model uses.
std::vector<std::pair<std::string, std::string>> FceuxNameLists(const Disassembly& d);

}  // namespace morvane
