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

// Tiles far into a large file, and the last one cut short by the file's end,
// draw as they do anywhere else.
TEST(TilesJob, DrawsTilesFarIntoALargeFile) {
  TempDir dir;
  const std::string sample = Slurp(MORVANE_SAMPLES_DIR "/sample.nes");
  const std::string chr = sample.substr(0x8010);
  const std::string far = std::string(0x200001, '\x55') + chr + std::string(0x100000, '\xAA');
  const std::string near = chr.substr(0, chr.size() - 5);
  const struct {
    std::string bytes, offset, count;
  } cases[] = {{far, "200001", "512"}, {far, "200001", "513"}, {far + near, "302001", "512"}};
  for (const auto& c : cases) {
    const std::string rom = dir.write("big.nes", c.bytes);
    const std::string alone = dir.write(
        "alone.nes", c.bytes.substr(std::stoul(c.offset, nullptr, 16), std::stoul(c.count) * 16));
    for (const std::string& path : {rom, alone}) {
      ScriptedHost host;
      host.answer(Dialog::OpenNES, path);
      Settings settings;
      settings.options.add("offset", path == rom ? c.offset : "0");
      settings.options.add("count", c.count);
      ASSERT_EQ(TilesJob(settings, host).outcome, Outcome::Done) << c.offset;
    }
    EXPECT_EQ(Slurp(dir.file("big Tiles.png")), Slurp(dir.file("alone Tiles.png"))) << c.offset;
  }
}

}  // namespace
}  // namespace morvane
