// Tile sheets read back from any PNG, and put into a ROM: a sheet that reads
// must encode into tiles or be refused with a message, and a sheet written
// again must read back the same.
#include <cstdlib>
#include <string>

#include "shell/JobError.h"
#include "tiles/PngReader.h"
#include "tiles/PngWriter.h"
#include "tiles/TileImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  morvane::IndexedImage sheet;
  try {
    sheet = morvane::DecodeSheetPng(bytes, morvane::kDefaultPalette, "Tiles", "fuzz.png");
  } catch (const morvane::JobError&) {
    return 0;
  }
  if (sheet.width * sheet.height > 1 << 20) return 0;  // the round trip of small sheets only
  const std::string again = morvane::EncodePng(sheet, morvane::kDefaultPalette);
  const morvane::IndexedImage reread =
      morvane::DecodeSheetPng(again, morvane::kDefaultPalette, "Tiles", "fuzz.png");
  if (reread.width != sheet.width || reread.pixels != sheet.pixels) std::abort();
  for (const morvane::TileShape shape : {morvane::TileShape::Square, morvane::TileShape::Tall}) {
    morvane::TileSettings settings;
    settings.layout.count = 0;
    settings.layout.columns = sheet.width / 8 > 0 ? sheet.width / 8 : 1;
    settings.layout.shape = shape;
    try {
      morvane::ImportSheet(std::string(4096, '\x55'), sheet, settings, "fuzz.png");
    } catch (const morvane::JobError&) {
    }
  }
  return 0;
}
