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
    const std::pair<const char*, std::optional<std::string>*> options[] = {
        {"offset", &args.offset}, {"count", &args.count}, {"columns", &args.columns},
        {"scale", &args.scale},   {"bpp", &args.bpp},     {"palette", &args.palette}};
    for (const auto& [name, value] : options) {
      if (settings.options.has(name)) *value = settings.options.value(name);
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
