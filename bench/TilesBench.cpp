#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "tiles/PngWriter.h"
#include "tiles/TileSheetFile.h"

namespace morvane {
namespace {

// A 16 MiB file of random bytes, written once.
const std::string& RandomRom() {
  static const std::string path = [] {
    std::mt19937 rng(19);
    std::string bytes(std::size_t{16} << 20, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    const auto file = std::filesystem::temp_directory_path() / "morvane-bench-tiles.bin";
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }();
  return path;
}

// The whole command: read the 16 MiB file, draw its first 4096 tiles, write the PNG.
void BM_TileSheet16MiB(benchmark::State& state) {
  const std::string& rom = RandomRom();
  TileArguments args;
  args.scale = std::to_string(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(WriteTileSheet(rom, args));
  std::filesystem::remove(TileSheetName(rom));
}
BENCHMARK(BM_TileSheet16MiB)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// Drawing alone, as the window does on every repaint of a 16 x 32 view at zoom 3.
void BM_RenderView(benchmark::State& state) {
  const std::string bytes(std::size_t{1} << 16, '\x5A');
  const SheetLayout layout{0, 512, 16, 3, 2};
  for (auto _ : state) benchmark::DoNotOptimize(RenderSheet(bytes, layout));
}
BENCHMARK(BM_RenderView)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace morvane
