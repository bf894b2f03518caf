// The parts of a ROM file the ca65 project lays out in file order: the
// header, a trainer, each PRG unit, the CHR ROM and what follows it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/Disassembly.h"

namespace morvane {

struct FilePart {
  std::string name;  // the segment's and the memory area's
  std::int64_t offset = 0;
  std::int64_t size = 0;
  std::int32_t start = 0;  // the address it is assembled at
  int unit = -1;           // the PRG unit it is, -1 for bytes as they are
  bool chr = false;        // included from <stem>.chr
};

std::vector<FilePart> FileParts(const Disassembly& d);

}  // namespace morvane
