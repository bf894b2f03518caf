// The 64 colours a NES can show, as 0xRRGGBB by colour number 00-3F.
#pragma once

#include <array>
#include <cstdint>

namespace morvane {

extern const std::array<std::uint32_t, 64> kNesColours;

}  // namespace morvane
