// A table of 16-bit pointers as the script dump reads it: low and high bytes
// interleaved or in two tables, and the pointers' values relative to a base.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/Settings.h"

namespace morvane {

struct PointerList {
  std::int32_t low = 0;   // CPU address of the first low byte
  std::int32_t high = 0;  // and of the first high byte
  std::int32_t step = 2;  // bytes from one pointer's byte to the next one's
  int count = 0;
  std::int32_t base = 0;  // added to each pointer to give the CPU address it leads to
};

// From the options "pointers" (LOW[,HIGH[,STEP]]), "count" and "pointer-base":
// HIGH defaults to LOW + 1, STEP to 2 for interleaved pairs and 1 for two
// tables. Wrong options are refused with JobError::Minor.
PointerList ReadPointerOptions(const JobOptions& options);

// The CPU addresses the pointers lead to, read from rom with origin the CPU
// address of file offset 0. A table that runs past the file, or a pointer
// that leads outside it, is refused with JobError::Minor.
std::vector<std::int32_t> ReadPointers(const PointerList& list, const std::string& rom,
                                       const std::string& romName, std::int32_t origin);

}  // namespace morvane
