// The CRC32 that patch files carry (zlib's: polynomial EDB88320h, as in zip and PNG).
#pragma once

#include <cstdint>
#include <string_view>

namespace morvane {

std::uint32_t Crc32(std::string_view bytes);

}  // namespace morvane
