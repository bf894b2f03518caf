#include "tiles/TileOptions.h"

#include <charconv>

#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Tiles";

[[noreturn]] void Refuse(const std::string& message, const std::string& path) {
  throw JobError::Minor(kTitle, message, path);
}

// Value of 1 to digits characters of the given base, or nullopt.
std::optional<std::int64_t> ParseNumber(std::string_view text, int base, std::size_t digits) {
  std::int64_t value = 0;
  if (text.empty() || text.size() > digits) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A decimal option from low to high; its default when unset.
int WholeNumber(const std::optional<std::string>& text, const char* name, int low, int high,
                int fallback, const std::string& path) {
  if (!text) return fallback;
  const auto value = ParseNumber(*text, 10, 6);
  if (!value || *value < low || *value > high) {
    Refuse("The " + std::string(name) + " must be a whole number from " + std::to_string(low) +
               " to " + std::to_string(high) + ", not \"" + *text + "\".",
           path);
  }
  return static_cast<int>(*value);
}

}  // namespace

std::optional<Palette> ParsePalette(std::string_view text) {
  Palette palette{};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::string_view colour = text.substr(0, 6);
    if (colour.size() != 6 || !IsHex(colour)) return std::nullopt;
    palette[i] = static_cast<std::uint32_t>(*ParseNumber(colour, 16, 6));
    text.remove_prefix(6);
    if (i + 1 < palette.size()) {
      if (!text.starts_with(',')) return std::nullopt;
      text.remove_prefix(1);
    }
  }
  if (!text.empty()) return std::nullopt;
  return palette;
}

std::string PaletteText(const Palette& palette) {
  std::string text;
  for (const std::uint32_t colour : palette) {
    if (!text.empty()) text += ',';
    AppendHex(text, colour, 6);
  }
  return text;
}

TileSettings ResolveTileBasics(const TileArguments& args, std::string_view file,
                               const std::string& path) {
  return ResolveTileBasics(args, file.substr(0, kINesHeaderSize), file.size(), path);
}

TileSettings ResolveTileBasics(const TileArguments& args, std::string_view header,
                               std::uint64_t fileSize, const std::string& path) {
  TileSettings settings;
  SheetLayout& layout = settings.layout;
  if (fileSize == 0) Refuse("The file is empty: it holds no tiles.", path);
  layout.bpp = WholeNumber(args.bpp, "bits per pixel", 1, 2, 2, path);
  layout.columns = WholeNumber(args.columns, "number of columns", 1, kMaxColumns, 16, path);
  layout.scale = WholeNumber(args.scale, "scale", 1, kMaxScale, 1, path);
  if (args.layout && *args.layout != "8x8" && *args.layout != "8x16") {
    Refuse("The layout must be 8x8 or 8x16, not \"" + *args.layout + "\".", path);
  }
  layout.shape = args.layout == "8x16" ? TileShape::Tall : TileShape::Square;
  if (args.palette) {
    const auto palette = ParsePalette(*args.palette);
    if (!palette) {
      Refuse("The palette must be four colours RRGGBB in hex separated by commas, not \"" +
                 *args.palette + "\".",
             path);
    }
    settings.palette = *palette;
  }
  const std::string lastOffset = Hex(static_cast<std::int64_t>(fileSize) - 1);
  if (args.offset) {
    const auto offset = ParseNumber(*args.offset, 16, 8);
    if (!offset || !IsHex(*args.offset)) {
      Refuse("The offset must be 1 to 8 hex digits, not \"" + *args.offset + "\".", path);
    }
    if (static_cast<std::uint64_t>(*offset) >= fileSize) {
      Refuse("The offset " + UpperCase(*args.offset) +
                 " is past the end of the file (last offset " + lastOffset + ").",
             path);
    }
    layout.offset = static_cast<std::size_t>(*offset);
  } else {
    layout.offset = ChrRomStart(header).value_or(0);
    if (layout.offset >= fileSize) {
      Refuse("The iNES header puts CHR-ROM at " + Hex(static_cast<std::int64_t>(layout.offset)) +
                 ", past the end of the file (last offset " + lastOffset + "); give an offset.",
             path);
    }
  }
  return settings;
}

int ResolveTileCount(const TileArguments& args, int most, int fallback, const std::string& path) {
  return WholeNumber(args.count, "count of tiles", 1, most, fallback, path);
}

TileSettings ResolveTileArguments(const TileArguments& args, std::string_view file,
                                  const std::string& path) {
  return ResolveTileArguments(args, file.substr(0, kINesHeaderSize), file.size(), path);
}

TileSettings ResolveTileArguments(const TileArguments& args, std::string_view header,
                                  std::uint64_t fileSize, const std::string& path) {
  TileSettings settings = ResolveTileBasics(args, header, fileSize, path);
  SheetLayout& layout = settings.layout;
  const std::size_t tileBytes = TileBytes(layout.bpp);
  const auto available =
      static_cast<std::int64_t>((fileSize - layout.offset + tileBytes - 1) / tileBytes);
  const int fallback = static_cast<int>(std::min<std::int64_t>(available, kMaxDefaultTiles));
  layout.count = ResolveTileCount(args, kMaxTiles, fallback, path);
  if (layout.count > available) {
    Refuse("The count " + std::to_string(layout.count) +
               " runs past the end of the file: " + std::to_string(available) +
               " tiles from offset " + Hex(static_cast<std::int64_t>(layout.offset)) + ".",
           path);
  }
  const auto [width, height] = SheetSize(layout);
  if (width * height > kMaxSheetPixels) {
    Refuse("The sheet would be " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than " + std::to_string(kMaxSheetPixels) +
               "; draw fewer tiles or a smaller scale.",
           path);
  }
  return settings;
}

}  // namespace morvane
