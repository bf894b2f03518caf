#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "insert/Insert.h"
#include "shell/QuietHost.h"

namespace morvane {
namespace {

std::string WriteFile(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

// The most phrases a script can hold, each with a source row, a note line and
// two translated rows, into one block of a 1 MiB ROM with separate pointer tables.
std::string FullScript() {
  std::string s =
      "bench Text\r\nPhrases\t0\t800\r\nChars\t20\t3\r\nPtrs\t1000\t2000\t0\t1\r\n"
      "Blocks\t1\tFF\r\nText\t8000\tFFFF\t80000\r\n";
  static const char* kDigits = "0123456789ABCDEF";
  for (int n = 0; n <= 0x800; ++n) {
    std::string hex;
    for (int v = n; hex.empty() || v != 0; v >>= 4) hex.insert(hex.begin(), kDigits[v & 15]);
    s += "; phrase " + hex + "\r\n" + hex +
         ":8000:\r\n\xE3\x81\x82\xE3\x81\x84\r\nHELLO\r\nWORLD " + hex + "\r\n\r\n";
  }
  return s;
}

void BM_Insert2049PhrasesInto1MiB(benchmark::State& state) {
  std::mt19937 rng(11);
  std::string rom(1 << 20, '\0');
  for (char& c : rom) c = static_cast<char>(rng());
  std::string table = "/FF\r\n*FE\r\n20= \r\n";
  for (int c = '0'; c <= 'Z'; ++c) {
    static const char* kDigits = "0123456789ABCDEF";
    table += std::string{kDigits[c >> 4], kDigits[c & 15], '=', static_cast<char>(c)} + "\r\n";
  }
  QuietHost host;
  host.files[Dialog::OpenNES] = {WriteFile("morvane-bench-insert.nes", rom)};
  host.files[Dialog::OpenSJS] = {WriteFile("morvane-bench-insert.txt", FullScript())};
  host.files[Dialog::OpenTBL] = {WriteFile("morvane-bench-insert.tbl", table)};
  for (auto _ : state) {
    const JobResult result = InsertJob(Settings{}, host);
    if (result.outcome != Outcome::Done) state.SkipWithError("insertion failed");
  }
}
BENCHMARK(BM_Insert2049PhrasesInto1MiB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
