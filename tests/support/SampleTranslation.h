// The bundled sample after the French translation used by the insertion
// tests: the new pointers at 804C and the new text from 8054.
#pragma once

#include <string>

namespace morvane {

// The encoded French phrases, as they stand from file offset 64h.
extern const std::string kFrenchSampleText;
// original (the sample ROM) with the French text and its pointers in place.
std::string FrenchSample(std::string original);

}  // namespace morvane
