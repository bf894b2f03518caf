#include "patch/Crc32.h"

#include <zlib.h>

namespace morvane {

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
  return static_cast<std::uint32_t>(crc32_z(crc, data, bytes.size()));
}

}  // namespace morvane
