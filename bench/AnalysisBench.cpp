#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "shell/QuietHost.h"

namespace morvane {
namespace {

constexpr std::size_t kSize = std::size_t{16} << 20;

std::string Write(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

const std::string& RandomBytes() {
  static const std::string bytes = [] {
    std::mt19937 rng(7);
    std::string b(kSize, '\0');
    for (char& c : b) c = static_cast<char>(rng());
    return b;
  }();
  return bytes;
}

// A 16 MiB file of random bytes: about one hit of a three-letter word per 64 kB.
void BM_RelativeSearch16MiB(benchmark::State& state) {
  const std::string rom = Write("morvane-bench-search.bin", RandomBytes());
  Settings s;
  s.searchText = "THE";
  QuietHost host;
  host.files[Dialog::OpenNES] = {rom};
  for (auto _ : state) benchmark::DoNotOptimize(SearchJob(s, host));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_RelativeSearch16MiB)->Unit(benchmark::kMillisecond);

// Two 16 MiB files, one byte in a hundred changed (state.range(0): per mille).
void BM_Compare16MiB(benchmark::State& state) {
  std::string patched = RandomBytes();
  std::mt19937 rng(9);
  const auto changes = kSize * static_cast<std::size_t>(state.range(0)) / 1000;
  for (std::size_t i = 0; i < changes; ++i) patched[rng() % kSize] ^= 0x5A;
  const std::string a = Write("morvane-bench-a.bin", RandomBytes());
  const std::string b = Write("morvane-bench-b.bin", patched);
  QuietHost host;
  host.files[Dialog::OpenNES] = {a, b};
  for (auto _ : state) benchmark::DoNotOptimize(CompareJob(Settings{}, host));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_Compare16MiB)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
