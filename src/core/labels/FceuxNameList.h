// FCEUX's name lists (.nl): "$ADDR[/SIZE]#Name#Comment" a line, a comment's
// further lines starting with \. One file per 16 KiB bank of PRG ROM
// ("<rom file>.<bank in hex>.nl", CPU addresses) and one for RAM
// ("<rom file>.ram.nl").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "labels/LabelSet.h"
#include "labels/LabelStore.h"
#include "shell/InFile.h"

namespace morvane {

void ReadFceuxNameList(const std::string& path, TextLines& lines, const INesHeader& header,
                       LabelSet& set);
// The files (name suffix after the ROM's file name, text) that hold the
// names and comments of a store. cpuOf gives the CPU address of a file
// offset, -1 for none.
std::vector<std::pair<std::string, std::string>> FceuxNameLists(
    const LabelStore& d, std::int64_t prgOffset,
    const std::function<std::int64_t(std::int64_t)>& cpuOf);

}  // namespace morvane
