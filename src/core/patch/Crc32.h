// The CRC32 that patch files carry (zlib's: polynomial EDB88320h, as in zip and PNG).
#pragma once

#include <cstdint>
#include <string_view>

namespace morvane {

// crc: the CRC32 of the bytes before these, to carry on from.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace morvane
