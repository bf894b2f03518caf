#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "dump/DumpDriver.h"
#include "shell/QuietHost.h"
#include "shell/SettingsModel.h"

namespace morvane {
namespace {

std::string WriteRandomRom(std::size_t size) {
  const auto path = std::filesystem::temp_directory_path() / "morvane-bench-rom.bin";
  std::mt19937 rng(7);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
  return path.string();
}

// A 4 MiB ROM dumped whole in Table Only mode, one 16 kB block after another
// would be the window's way; the range here spans the whole file at once.
void BM_TableOnlyWhole4MiB(benchmark::State& state) {
  const std::string rom = WriteRandomRom(4 << 20);
  SettingsModel model;
  model.chooseMode(kTableOnly);
  model.setHeader(false);
  model.setStart("0");
  model.setEnd("FFFF");
  model.setBlock("0");
  Settings s = model.settings();
  s.base = 0;
  s.start = 0;
  s.end = (4 << 20) - 1;  // beyond the window's four digits: the whole file
  QuietHost host;
  host.files[Dialog::OpenNES] = {rom};
  for (auto _ : state) {
    benchmark::DoNotOptimize(PlainDumpJob(s, host));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (4 << 20));
}
BENCHMARK(BM_TableOnlyWhole4MiB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
