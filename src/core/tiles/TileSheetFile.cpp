#include "tiles/TileSheetFile.h"

#include "rom/INesHeader.h"
#include "shell/FileWindow.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"
#include "tiles/PngWriter.h"

namespace morvane {

std::string TileSheetName(const std::string& romPath) {
  return StripExtension(romPath) + " Tiles.png";
}

TileSheet WriteTileSheet(const std::string& romPath, const TileArguments& args) {
  const std::string output = TileSheetName(romPath);
  RefuseOverwrite("Tiles", output, {romPath});
  // Only the header and the tiles drawn are read, whatever the file's size.
  FileWindow rom(romPath);
  const TileSettings settings = ResolveTileArguments(
      args, rom.read(0, kINesHeaderSize), static_cast<std::uint64_t>(rom.size()), romPath);
  SheetLayout drawn = settings.layout;
  const std::string tiles = rom.read(static_cast<std::int64_t>(drawn.offset),
                                     static_cast<std::size_t>(drawn.count) * TileBytes(drawn.bpp));
  drawn.offset = 0;
  const std::string png = EncodePng(RenderSheet(tiles, drawn), settings.palette);
  OutFile out(output);
  out.write(png);
  out.close();
  return {output, settings.layout};
}

}  // namespace morvane
