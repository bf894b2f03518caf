#include "PngMaker.h"

#include <png.h>
#include <zlib.h>

namespace morvane {

namespace {

void Append(png_structp png, png_bytep data, std::size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), size);
}

std::string Word(std::uint32_t value) {
  std::string bytes;
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(value >> shift);
  return bytes;
}

}  // namespace

std::string MakePng(const PngSpec& spec) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, Append, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(spec.width),
               static_cast<png_uint_32>(spec.height), spec.depth, spec.colourType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours;
  for (const std::uint32_t c : spec.plte) {
    colours.push_back(
        {static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
  }
  if (spec.colourType == PNG_COLOR_TYPE_PALETTE) {
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  }
  png_write_info(png, info);
  if (spec.depth < 8) png_set_packing(png);
  if (spec.depth == 16) png_set_swap(png);  // samples are kept in the machine's order
  const int channels = spec.colourType == 2   ? 3
                       : spec.colourType == 4 ? 2
                       : spec.colourType == 6 ? 4
                                              : 1;
  const std::size_t bytes = spec.depth == 16 ? 2 : 1;
  const std::size_t rowBytes = static_cast<std::size_t>(spec.width * channels) * bytes;
  std::vector<std::uint8_t> pixels(rowBytes * static_cast<std::size_t>(spec.height));
  for (std::size_t i = 0; i < spec.samples.size() && i * bytes < pixels.size(); ++i) {
    if (bytes == 2) {
      pixels[2 * i] = static_cast<std::uint8_t>(spec.samples[i]);
      pixels[2 * i + 1] = static_cast<std::uint8_t>(spec.samples[i] >> 8);
    } else {
      pixels[i] = static_cast<std::uint8_t>(spec.samples[i]);
    }
  }
  std::vector<png_bytep> rows;
  for (int y = 0; y < spec.height; ++y)
    rows.push_back(&pixels[static_cast<std::size_t>(y) * rowBytes]);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::string PngChunks(const std::vector<std::pair<std::string, std::string>>& chunks) {
  std::string out = "\x89PNG\r\n\x1A\n";
  for (const auto& [type, data] : chunks) {
    const std::string body = type + data;
    out += Word(static_cast<std::uint32_t>(data.size())) + body +
           Word(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                 static_cast<uInt>(body.size()))));
  }
  return out;
}

std::string IhdrData(std::uint32_t width, std::uint32_t height, int depth, int colourType) {
  return Word(width) + Word(height) + static_cast<char>(depth) + static_cast<char>(colourType) +
         std::string(3, '\0');
}

}  // namespace morvane
