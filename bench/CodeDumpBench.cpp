#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "dump/DumpDriver.h"
#include "shell/QuietHost.h"
#include "shell/Settings.h"

namespace morvane {
namespace {

// The bundled sample's two 16 kB banks, 8000 to FFFF, as one 32 KiB dump.
Settings WholeSample(bool withTables) {
  Settings s;
  s.mode = kCode;
  s.base = 0x8000;
  s.start = 0x8000;
  s.end = 0xFFFF;
  s.withTables = withTables;
  return s;
}

void Run(benchmark::State& state, bool withTables) {
  // The listing is written beside the ROM: dump a copy in the temporary folder.
  namespace fs = std::filesystem;
  const std::string samples = MORVANE_BENCH_SAMPLES_DIR;
  const fs::path rom = fs::temp_directory_path() / "morvane-bench-sample.nes";
  fs::copy_file(samples + "/sample.nes", rom, fs::copy_options::overwrite_existing);
  QuietHost host;
  host.files[Dialog::OpenNES] = {rom.string()};
  host.files[Dialog::OpenTXT] = {std::string(MORVANE_BENCH_DATA_DIR) + "/Op_Codes_NES.txt"};
  host.files[Dialog::OpenTableTXT] = {samples + "/sample_tables.txt"};
  host.files[Dialog::OpenTBL] = {samples + "/sample.tbl"};
  const Settings s = WholeSample(withTables);
  for (auto _ : state) benchmark::DoNotOptimize(PlainDumpJob(s, host));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 0x8000);
}

void BM_Code32KiBWithTableList(benchmark::State& state) {
  Run(state, true);
}
void BM_Code32KiBFindingCode(benchmark::State& state) {
  Run(state, false);
}
BENCHMARK(BM_Code32KiBWithTableList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Code32KiBFindingCode)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
