#include "tiles/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "shell/JobError.h"

namespace morvane {

namespace {

// What the libpng callbacks reach: the bytes written so far, or why it stopped.
struct WriteState {
  std::string bytes;
  char message[160] = "";
};

void OnError(png_structp png, png_const_charp message) {
  auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
  std::strncpy(state->message, message, sizeof state->message - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void Append(png_structp png, png_bytep data, std::size_t size) {
  static_cast<WriteState*>(png_get_io_ptr(png))->bytes.append(reinterpret_cast<char*>(data), size);
}

void Flush(png_structp) {}

// False, with state.message, when libpng gives up. Nothing with a destructor
// lives in this frame after setjmp, so the jump back leaks nothing.
bool Write(const IndexedImage& image, const png_color* colours, png_bytepp rows,
           WriteState& state) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::strcpy(state.message, "out of memory");
    return false;
  }
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &state, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, colours, 4);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string EncodePng(const IndexedImage& image, const Palette& palette) {
  png_color colours[4];
  for (std::size_t i = 0; i < palette.size(); ++i) {
    colours[i] = {static_cast<png_byte>(palette[i] >> 16), static_cast<png_byte>(palette[i] >> 8),
                  static_cast<png_byte>(palette[i])};
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  // libpng copies each row before it filters it: the pixels are only read.
  auto* pixels = const_cast<std::uint8_t*>(image.pixels.data());
  for (std::size_t y = 0; y < rows.size(); ++y) {
    rows[y] = pixels + y * static_cast<std::size_t>(image.width);
  }
  WriteState state;
  if (!Write(image, colours, rows.data(), state)) throw JobError(kErrOutOfMemory, state.message);
  return std::move(state.bytes);
}

}  // namespace morvane
