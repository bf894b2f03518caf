#include "tiles/TilesImportJob.h"

#include "patch/PatchFiles.h"
#include "shell/InFile.h"
#include "shell/JobFrame.h"
#include "shell/OutputGuard.h"
#include "tiles/PngReader.h"
#include "tiles/TileImport.h"

namespace morvane {

JobResult TilesImportJob(const Settings& settings, JobHost& host) {
  const JobTexts texts{.cancelled = "Tiles Import Canceled",
                       .failed = "Tiles Import Error",
                       .minor = "Tiles Import Minor Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    run.step = "Tiles Import - Selecting Files";
    const std::string rom = run.ask(Dialog::OpenNES);
    const std::string png = run.ask(kOpenPng);
    const std::string output = ModifiedRomName(rom);
    RefuseOverwrite("Tiles", output, {rom, png});
    const PatchRequest patch(settings, output);
    patch.check("Tiles", {rom, png});
    TileArguments args;
    for (const auto& [name, field] : kTileArgumentNames) {
      if (settings.options.has(name)) args.*field = settings.options.value(name);
    }
    run.step = "Tiles Import - Reading";
    run.file = rom;
    const std::string original = ReadBinaryFile(rom);
    TileSettings tiles = ResolveTileBasics(args, original, rom);
    // 0: every cell of the sheet.
    tiles.layout.count = args.count ? ResolveTileCount(args, kMaxTiles, 0, png) : 0;
    run.file = png;
    const IndexedImage sheet = DecodeSheetPng(ReadBinaryFile(png), tiles.palette, "Tiles", png);
    const ImportedTiles imported = ImportSheet(original, sheet, tiles, png);
    run.step = "Tiles Import - Writing";
    run.file = output;
    WriteWholeFile(run, output, imported.rom);
    patch.write(run, rom, run.step);
    host.setStatus("Tiles Import Done: " + std::to_string(imported.changed) + " of " +
                   std::to_string(imported.tiles) + " tiles changed");
  });
}

}  // namespace morvane
