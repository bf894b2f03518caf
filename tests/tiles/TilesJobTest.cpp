#include "tiles/TilesJob.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// The job as the command line runs it: options by name, the ROM from its dialog.
TEST(TilesJob, WritesTheSheetOrWarnsWithoutWriting) {
  TempDir dir;
  const std::string rom = dir.write("sample.nes", Slurp(MORVANE_SAMPLES_DIR "/sample.nes"));
  const struct {
    std::vector<std::pair<std::string, std::string>> options;
    Outcome outcome;
    std::string status;
  } cases[] = {
      {{}, Outcome::Done, "Tiles Done: 512 tiles from offset 8010"},
      {{{"offset", "10"}, {"count", "4"}, {"bpp", "1"}},
       Outcome::Done,
       "Tiles Done: 4 tiles from offset 10"},
      {{{"scale", "64"}}, Outcome::Warned, "Tiles Minor Error"},
  };
  for (const auto& c : cases) {
    ScriptedHost host;
    host.answer(Dialog::OpenNES, rom);
    Settings settings;
    for (const auto& [name, value] : c.options) settings.options.add(name, value);
    const JobResult result = TilesJob(settings, host);
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(host.lastStatus(), c.status);
    const bool done = c.outcome == Outcome::Done;
    EXPECT_EQ(result.written, done ? std::vector<std::string>{dir.file("sample Tiles.png")}
                                   : std::vector<std::string>{});
    EXPECT_EQ(dir.exists("sample Tiles.png"), done);
    std::remove(dir.file("sample Tiles.png").c_str());
  }
  // The command line takes a refused option as a usage error.
  const std::string command =
      std::string(MORVANE_BINARY) + " tiles --rom \"" + rom + "\" --columns 0 >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

}  // namespace
}  // namespace morvane
