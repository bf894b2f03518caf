// Tile sheets and the table maker: options typed by anyone over any file, and
// any table saved and read back.
#include <cstdlib>
#include <string>

#include "shell/JobError.h"
#include "tiles/TableMaker.h"
#include "tiles/TileOptions.h"

namespace {

// The first lines of the input as options (empty = unset), the rest as the file.
morvane::TileArguments TakeArguments(std::string& bytes) {
  morvane::TileArguments args;
  for (auto* option : {&args.offset, &args.count, &args.columns, &args.scale, &args.bpp,
                       &args.palette, &args.layout}) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string::npos) break;
    if (end > 0) *option = bytes.substr(0, end);
    bytes.erase(0, end + 1);
  }
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const morvane::CharTable table = morvane::ParseTable(bytes);
    morvane::GuessEncoding(table);
    const morvane::TableMaker maker(table);
    const morvane::CharTable reread = morvane::ParseTable(maker.fileText());
    if (reread.text != table.text || reread.glyphWidth != table.glyphWidth ||
        reread.endPhraseByte != table.endPhraseByte || reread.newLineByte != table.newLineByte) {
      std::abort();
    }
  } catch (const morvane::JobError&) {  // a width past 32767
  }
  const morvane::TileArguments args = TakeArguments(bytes);
  try {
    const morvane::TileSettings settings = morvane::ResolveTileArguments(args, bytes, "fuzz.bin");
    // Small sheets only: the size checks above already bound the large ones.
    if (static_cast<long long>(settings.layout.count) * settings.layout.scale < 4096) {
      morvane::RenderSheet(bytes, settings.layout);
    }
  } catch (const morvane::JobError&) {
  }
  return 0;
}
