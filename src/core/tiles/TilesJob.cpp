#include "tiles/TilesJob.h"

#include "shell/JobFrame.h"
#include "shell/Values.h"
#include "tiles/TileSheetFile.h"

namespace morvane {

JobResult TilesJob(const Settings& settings, JobHost& host) {
  const JobTexts texts{.cancelled = "Tiles Canceled",
                       .failed = "Tiles Error",
                       .minor = "Tiles Minor Error",
                       .prefix = "Tiles stopped: ",
                       .plain = true};
  return RunJob(host, texts, [&](JobRun& run) {
    run.step = "Tiles - Selecting File";
    const std::string rom = run.ask(Dialog::OpenNES);
    TileArguments args;
    for (const auto& [name, field] : kTileArgumentNames) {
      if (settings.options.has(name)) args.*field = settings.options.value(name);
    }
    run.step = "Tiles - Drawing";
    run.file = rom;
    const TileSheet sheet = WriteTileSheet(rom, args);
    run.wrote(sheet.path);
    host.setStatus("Tiles Done: " + std::to_string(sheet.layout.count) + " tiles from offset " +
                   Hex(static_cast<std::int64_t>(sheet.layout.offset)));
  });
}

}  // namespace morvane
