#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "shell/QuietHost.h"
#include "shell/Settings.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

// Eight full sides of eight files each, with the 16-byte header.
std::string EightSideImage() {
  std::string image = "FDS\x1A\x08" + std::string(11, '\0');
  for (int side = 0; side < 8; ++side) {
    std::string s =
        "\x01*NINTENDO-HVC*\x01"
        "ABC";
    s += {0x20, 0x00, static_cast<char>(side % 2), static_cast<char>(side / 2), 0, 0, 0x0F};
    s += std::string(5, '\0') + "\x61\x02\x14\x49" + std::string(9, '\0');
    // Re-write date, then unknown bytes, serial and re-write count, disk side, price.
    s += "\x61\x02\x14" + std::string(6, '\0');
    s += {static_cast<char>(side % 2), 0x00, 0x01};
    s += {0x02, 0x08};
    for (int f = 0; f < 8; ++f) {
      const int length = 0x1C00;
      s += {0x03,
            static_cast<char>(f),
            static_cast<char>(f),
            'F',
            'I',
            'L',
            'E',
            'N',
            'A',
            'M',
            static_cast<char>('0' + f),
            0x00,
            static_cast<char>(0x60 + f),
            0x00,
            0x1C,
            0x00,
            0x04};
      s += std::string(length, static_cast<char>(side * 8 + f));
    }
    s.resize(65500, '\0');
    image += s;
  }
  return image;
}

struct BenchFolder {
  fs::path dir = fs::temp_directory_path() / "morvane-bench-fds";
  BenchFolder() {
    fs::create_directories(dir);
    const std::string image = EightSideImage();
    std::ofstream(dir / "disk.fds", std::ios::binary)
        .write(image.data(), static_cast<std::streamsize>(image.size()));
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

void BM_SplitEightSides(benchmark::State& state) {
  BenchFolder folder;
  QuietHost host;
  host.files[Dialog::OpenFDS] = {(folder.dir / "disk.fds").string()};
  for (auto _ : state) benchmark::DoNotOptimize(FdsSplitJob(Settings{}, host));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (16 + 8 * 65500));
}
BENCHMARK(BM_SplitEightSides)->Unit(benchmark::kMillisecond);

void BM_MergeEightSides(benchmark::State& state) {
  BenchFolder folder;
  QuietHost host;
  host.files[Dialog::OpenFDS] = {(folder.dir / "disk.fds").string()};
  host.files[Dialog::OpenTXT] = {(folder.dir / "disk FDS Files.txt").string()};
  if (FdsSplitJob(Settings{}, host).outcome != Outcome::Done) {
    state.SkipWithError("split failed");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(FdsMergeJob(Settings{}, host));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (16 + 8 * 65500));
}
BENCHMARK(BM_MergeEightSides)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
