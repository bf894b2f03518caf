// PNG files of any kind libpng writes, for feeding the sheet reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

struct PngSpec {
  int width = 8, height = 8;
  int colourType = 3;  // PNG_COLOR_TYPE_*: 0 grey, 2 RGB, 3 indexed, 4 grey+alpha, 6 RGBA
  int depth = 8;
  bool interlaced = false;
  std::vector<std::uint32_t> plte = {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};
  // One value a channel, row by row.
  std::vector<std::uint16_t> samples;
};

std::string MakePng(const PngSpec& spec);

// A PNG file of the given chunks after the signature, their CRCs computed.
std::string PngChunks(const std::vector<std::pair<std::string, std::string>>& chunks);
// An IHDR chunk's data.
std::string IhdrData(std::uint32_t width, std::uint32_t height, int depth, int colourType);

}  // namespace morvane
