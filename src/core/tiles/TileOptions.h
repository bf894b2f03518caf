// What a tile sheet is drawn with: the options as the user typed them, their
// defaults for a given file, and the checks that turn them into a layout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "rom/INesHeader.h"
#include "tiles/TileSheet.h"

namespace morvane {

// Four colours as 0xRRGGBB, for pixel values 0 to 3.
using Palette = std::array<std::uint32_t, 4>;
inline constexpr Palette kDefaultPalette = {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};

inline constexpr int kMaxDefaultTiles = 4096;
inline constexpr int kMaxTiles = 65536;
inline constexpr int kMaxColumns = 256;
inline constexpr int kMaxScale = 16;
inline constexpr std::int64_t kMaxSheetPixels = std::int64_t{1} << 26;

// Options as typed; an unset one takes its default. offset is hex, count,
// columns, scale and bpp decimal, palette RRGGBB,RRGGBB,RRGGBB,RRGGBB,
// layout 8x8 or 8x16.
struct TileArguments {
  std::optional<std::string> offset{}, count{}, columns{}, scale{}, bpp{}, palette{}, layout{};
};

// The option names of TileArguments and their fields.
inline constexpr std::pair<const char*, std::optional<std::string> TileArguments::*>
    kTileArgumentNames[] = {
        {"offset", &TileArguments::offset},   {"count", &TileArguments::count},
        {"columns", &TileArguments::columns}, {"scale", &TileArguments::scale},
        {"bpp", &TileArguments::bpp},         {"palette", &TileArguments::palette},
        {"layout", &TileArguments::layout}};

struct TileSettings {
  SheetLayout layout;
  Palette palette = kDefaultPalette;
};

// The palette of text like 000000,555555,AAAAAA,FFFFFF; nullopt when it is not that.
std::optional<Palette> ParsePalette(std::string_view text);
std::string PaletteText(const Palette& palette);

// The settings for file, checked against it. A bad value throws
// JobError::Minor titled "Tiles" with a message that names the value and
// the file at path.
TileSettings ResolveTileArguments(const TileArguments& args, std::string_view file,
                                  const std::string& path);
// The same from the file's first 16 bytes (fewer when it is shorter) and its
// size, so that a large file need not be read.
TileSettings ResolveTileArguments(const TileArguments& args, std::string_view header,
                                  std::uint64_t fileSize, const std::string& path);
// The same without the count and the sheet's size: every option but count.
TileSettings ResolveTileBasics(const TileArguments& args, std::string_view file,
                               const std::string& path);
TileSettings ResolveTileBasics(const TileArguments& args, std::string_view header,
                               std::uint64_t fileSize, const std::string& path);
// The count of tiles as ResolveTileArguments checks it, from 1 to most;
// fallback when unset.
int ResolveTileCount(const TileArguments& args, int most, int fallback, const std::string& path);

}  // namespace morvane
