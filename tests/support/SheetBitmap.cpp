#include "SheetBitmap.h"

#include <cstdint>

namespace morvane {

std::string BlankSheetBitmap() {
  std::string bytes(118 + 160 * 269, '\0');
  const auto put = [&bytes](std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<std::uint32_t>(bytes.size()), 4);
  put(10, 118, 4);  // pixels start here
  put(14, 40, 4);   // header size
  put(18, 320, 4);  // width
  put(22, 269, 4);  // height, bottom-up
  put(26, 1, 2);    // planes
  put(28, 4, 2);    // bits per pixel
  put(34, 160 * 269, 4);
  return bytes;
}

}  // namespace morvane
