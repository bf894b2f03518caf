#include "patch/Crc32.h"

#include <zlib.h>

namespace morvane {

std::uint32_t Crc32(std::string_view bytes) {
  const auto* data = reinterpret_cast<const Bytef*>(bytes.data());
  return static_cast<std::uint32_t>(crc32_z(crc32_z(0, Z_NULL, 0), data, bytes.size()));
}

}  // namespace morvane
