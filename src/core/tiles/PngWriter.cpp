#include "tiles/PngWriter.h"

#include <png.h>

#include <array>

#include "shell/JobError.h"

namespace morvane {

std::string EncodePng(const IndexedImage& image, const Palette& palette) {
  std::array<std::uint8_t, 3 * 4> colormap{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    colormap[3 * i] = static_cast<std::uint8_t>(palette[i] >> 16);
    colormap[3 * i + 1] = static_cast<std::uint8_t>(palette[i] >> 8);
    colormap[3 * i + 2] = static_cast<std::uint8_t>(palette[i]);
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB_COLORMAP;
  png.colormap_entries = static_cast<png_uint_32>(palette.size());
  // First ask for the size, then write into a buffer of that size.
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, colormap.data()) ==
      0) {
    png_image_free(&png);
    throw JobError(kErrOutOfMemory, png.message);
  }
  std::string bytes(size, '\0');
  if (png_image_write_to_memory(&png, bytes.data(), &size, 0, image.pixels.data(), 0,
                                colormap.data()) == 0) {
    png_image_free(&png);
    throw JobError(kErrOutOfMemory, png.message);
  }
  bytes.resize(size);
  return bytes;
}

}  // namespace morvane
