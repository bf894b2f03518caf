#include "tiles/PngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

enum class Stop { None, Damaged, Deep, TooBig };

// What the libpng callbacks and the reading frame fill in.
struct ReadState {
  std::string_view bytes;
  std::size_t at = 0;
  Stop stop = Stop::None;
  char message[160] = "";
  png_uint_32 width = 0, height = 0;
  int colourType = 0;
  int channels = 0;  // bytes a pixel after the transformations: 1 to 4
  std::vector<std::uint8_t> pixels;
  std::vector<png_bytep> rows;
  std::vector<std::uint32_t> plte;  // 0xRRGGBB of each entry of an indexed file
};

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
  std::strncpy(state->message, message, sizeof state->message - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, std::size_t size) {
  auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
  if (state->bytes.size() - state->at < size) png_error(png, "the file ends too early");
  std::memcpy(out, state->bytes.data() + state->at, size);
  state->at += size;
}

// Whether the header allows reading on; sets state.stop when it does not.
bool Accept(png_structp png, png_infop info, ReadState& state) {
  state.width = png_get_image_width(png, info);
  state.height = png_get_image_height(png, info);
  state.colourType = png_get_color_type(png, info);
  if (png_get_bit_depth(png, info) == 16) {
    state.stop = Stop::Deep;
  } else if (std::uint64_t{state.width} * state.height > std::uint64_t{kMaxSheetPixels}) {
    state.stop = Stop::TooBig;
  }
  return state.stop == Stop::None;
}

// Reads the whole image, one byte a channel; false when libpng gives up or
// Accept refuses. Nothing with a destructor is made in this frame after
// setjmp, so the jump back leaks nothing.
bool Read(ReadState& state) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    std::strcpy(state.message, "out of memory");
    state.stop = Stop::Damaged;
    return false;
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_read_struct(&png, &info, nullptr);
    if (state.stop == Stop::None) state.stop = Stop::Damaged;
    return false;
  }
  png_set_read_fn(png, &state, ReadBytes);
  png_read_info(png, info);
  if (!Accept(png, info, state)) png_longjmp(png, 1);
  png_colorp colours = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &colours, &count) != 0) {
    for (int i = 0; i < count; ++i) {
      state.plte.push_back(std::uint32_t{colours[i].red} << 16 |
                           std::uint32_t{colours[i].green} << 8 | colours[i].blue);
    }
  }
  // Indexed pixels stay colour numbers, one a byte; grey below 8 bits is
  // scaled to 8 (2-bit grey 1 becomes 55).
  png_set_packing(png);
  if (state.colourType == PNG_COLOR_TYPE_GRAY) png_set_expand_gray_1_2_4_to_8(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  state.channels = png_get_channels(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  state.pixels.resize(rowBytes * state.height);
  state.rows.resize(state.height);
  for (std::size_t y = 0; y < state.height; ++y) state.rows[y] = &state.pixels[y * rowBytes];
  png_read_image(png, state.rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

struct Refusal {
  const std::string& title;
  const std::string& path;
  [[noreturn]] void operator()(const std::string& message) const {
    throw JobError::Minor(title, message, path);
  }
};

// The width and height IHDR gives, read here because libpng takes a size of
// zero for a damaged header; 1 x 1 when the file has no IHDR first.
std::pair<std::uint32_t, std::uint32_t> HeaderSize(std::string_view bytes) {
  if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") return {1, 1};
  const auto word = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
      value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
  };
  return {word(16), word(20)};
}

std::string Rgb(std::uint32_t colour) {
  std::string text;
  AppendHex(text, colour, 6);
  return text;
}

// The pixels of what Read read as colour values 0-3; refuse(message) for the
// first pixel that has none.
IndexedImage ColourValues(const ReadState& state, const Palette& palette, const Refusal& refuse) {
  IndexedImage image;
  image.width = static_cast<int>(state.width);
  image.height = static_cast<int>(state.height);
  image.pixels.resize(std::size_t{state.width} * state.height);
  const auto channels = static_cast<std::size_t>(state.channels);
  const bool indexed = state.colourType == PNG_COLOR_TYPE_PALETTE;
  const bool grey = channels <= 2 && !indexed;
  const bool alpha = channels == 2 || channels == 4;
  const std::size_t rowBytes = state.pixels.size() / state.height;
  for (std::size_t y = 0; y < state.height; ++y) {
    for (std::size_t x = 0; x < state.width; ++x) {
      const std::uint8_t* p = &state.pixels[y * rowBytes + x * channels];
      const auto where = [&] {
        return "The pixel at " + std::to_string(x) + ", " + std::to_string(y);
      };
      if (alpha && p[channels - 1] != 0xFF) {
        refuse(where() + " is not opaque (alpha " + std::to_string(p[channels - 1]) +
               "): tiles have no transparency.");
      }
      int value = -1;
      if (indexed) {
        value = p[0];
        if (value > 3) {
          const auto entry = static_cast<std::size_t>(value);
          refuse(where() + " has colour number " + std::to_string(value) +
                 (entry < state.plte.size() ? " (" + Rgb(state.plte[entry]) + ")" : "") +
                 "; tiles have only the colours 0 to 3.");
        }
      } else {
        const std::uint32_t colour =
            grey ? p[0] * 0x010101u : std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
        for (std::size_t i = palette.size(); i-- > 0;) {
          if (palette[i] == colour) value = static_cast<int>(i);
        }
        if (value < 0) {
          refuse(where() + " is " + Rgb(colour) + ", which is none of the palette's colours " +
                 PaletteText(palette) + ".");
        }
      }
      image.pixels[y * state.width + x] = static_cast<std::uint8_t>(value);
    }
  }
  return image;
}

}  // namespace

IndexedImage DecodeSheetPng(std::string_view bytes, const Palette& palette,
                            const std::string& title, const std::string& path) {
  const Refusal refuse{title, path};
  if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8) != 0)
    refuse("The file is not a PNG image.");
  if (const auto [width, height] = HeaderSize(bytes); width == 0 || height == 0) {
    refuse("The PNG image is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels: it holds no tiles.");
  }
  ReadState state;
  state.bytes = bytes;
  if (!Read(state)) {
    const std::string size = std::to_string(state.width) + " x " + std::to_string(state.height);
    switch (state.stop) {
      case Stop::Deep:
        refuse("The PNG image has 16 bits a channel; save it with 8 bits a channel, or indexed.");
      case Stop::TooBig:
        refuse("The PNG image is " + size + " pixels, more than " +
               std::to_string(kMaxSheetPixels) + ".");
      default:
        refuse("The PNG image is damaged or cut short (" + std::string(state.message) + ").");
    }
  }
  return ColourValues(state, palette, refuse);
}

}  // namespace morvane
