#include "tiles/TileSheetFile.h"

#include "shell/InFile.h"
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
  const std::string rom = ReadBinaryFile(romPath);
  const TileSettings settings = ResolveTileArguments(args, rom, romPath);
  const std::string png = EncodePng(RenderSheet(rom, settings.layout), settings.palette);
  OutFile out(output);
  out.write(png);
  out.close();
  return {output, settings.layout};
}

}  // namespace morvane
