// The translator's round trip at scale: 1 MiB of text through a table of
// 2,000 entries in the standard form, dumped as a script and inserted back;
// and the bytes the shortest encoding saves over the greedy one.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "insert/Insert.h"
#include "insert/ScriptDump.h"
#include "shell/QuietHost.h"
#include "shell/Values.h"
#include "tables/StandardTable.h"

namespace morvane {
namespace {

std::string WriteFile(const std::string& name, const std::string& bytes) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

// Printable ASCII as single bytes, FF the end, FE the new line, and two-byte
// keys 8000 on for words of two to five letters: 2,000 entries in all.
std::string BigTable(std::vector<std::string>& keys) {
  std::mt19937 rng(7);
  std::string table = "/FF=<end>\r\n*FE=<br>\r\n";
  for (int c = 0x20; c < 0x7F; ++c) {
    table += HexByte(c) + "=" + std::string(1, static_cast<char>(c)) + "\r\n";
    keys.push_back(std::string(1, static_cast<char>(c)));
  }
  for (int k = 0; keys.size() < 1998; ++k) {
    std::string word;
    for (std::size_t n = 2 + rng() % 4; word.size() < n;)
      word += static_cast<char>('a' + rng() % 26);
    table += HexWord(0x8000 + k) + "=" + word + "\r\n";
    keys.push_back({static_cast<char>(0x80 + k / 256), static_cast<char>(k % 256)});
  }
  return table;
}

// 1 MiB of keys in phrases of about 500 bytes, each with a new line in it.
std::string TextRom(const std::vector<std::string>& keys) {
  std::mt19937 rng(3);
  std::string rom;
  while (rom.size() < (1u << 20) - 600) {
    for (int i = 0; i < 300; ++i) rom += keys[rng() % keys.size()];
    rom += '\xFE';
    for (int i = 0; i < 10; ++i) rom += keys[rng() % keys.size()];
    rom += '\xFF';
  }
  rom.resize(1u << 20, '\xFF');
  return rom;
}

struct Files {
  QuietHost host;
  Settings settings;
  std::string script;
  Files() {
    std::vector<std::string> keys;
    const std::string table = WriteFile("morvane-bench-script.tbl", BigTable(keys));
    const std::string rom = WriteFile("morvane-bench-script.nes", TextRom(keys));
    std::filesystem::remove(std::filesystem::temp_directory_path() /
                            "morvane-bench-script Text.txt");
    host.files[Dialog::OpenNES] = {rom};
    host.files[Dialog::OpenTBL] = {table};
    host.files[Dialog::OpenSJS] = {
        (std::filesystem::temp_directory_path() / "morvane-bench-script Text.txt").string()};
    settings.mode = kText;
    settings.asTable = false;
    settings.header = false;
    settings.start = 0x8000;
    settings.end = 0x8000 + (1 << 20) - 1;
    settings.startText = "8000";
    settings.endText = Hex(settings.end);
    settings.options.add("tbl-format", "standard");
  }
};

void BM_DumpScript1MiB(benchmark::State& state) {
  Files f;
  for (auto _ : state) {
    if (ScriptDumpJob(f.settings, f.host).outcome != Outcome::Done) state.SkipWithError("dump");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_DumpScript1MiB)->Unit(benchmark::kMillisecond);

void BM_InsertScript1MiB(benchmark::State& state) {
  Files f;
  if (ScriptDumpJob(f.settings, f.host).outcome != Outcome::Done) state.SkipWithError("dump");
  for (auto _ : state) {
    if (InsertJob(f.settings, f.host).outcome != Outcome::Done) state.SkipWithError("insert");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_InsertScript1MiB)->Unit(benchmark::kMillisecond);

// English through a DTE/MTE table: the bytes of the shortest encoding and of
// the greedy one (counters dp and greedy).
void BM_ShortestOverGreedy(benchmark::State& state) {
  std::string table = "20= \r\n2E=.\r\n2C=,\r\n";
  for (char c = 'a'; c <= 'z'; ++c) table += HexByte(c) + "=" + std::string(1, c) + "\r\n";
  const char* pieces[] = {
      "th",    "he",   "in",   "er",  "an",   "re",  "on",   "at",   "en",   "nd",   "ti",   "es",
      "or",    "te",   "of",   "ed",  "is",   "it",  "al",   "ar",   "st",   "to",   "nt",   "ng",
      "se",    "ha",   "as",   "ou",  "io",   "le",  "ve",   "co",   "me",   "de",   "hi",   "ri",
      "ro",    "ic",   "ne",   "ea",  "ra",   "ce",  "the ", "and ", "you ", "that", "with", "here",
      "there", "ing ", "tion", "e t", "s t",  "d t", "e th", "ere ", "the",  "her",  "ere",  "e a",
      "e s",   "ing",  "ng t", "s a", "t th", "wh",  "ow",   "ke",   "ta",   "ai"};
  int key = 0x80;
  for (const char* p : pieces) table += HexByte(key++) + "=" + p + "\r\n";
  const StandardTable t = ParseStandardTable(table, "dte.tbl");
  const std::string text =
      "the hero walked there with the sword, and the king said that you are here to save the "
      "land. there is no time to rest, for the darkness is rising in the east and the people "
      "are waiting. take this key, it opens the tower where the princess sleeps.";
  std::int64_t dp = 0;
  std::int64_t greedy = 0;
  for (auto _ : state) {
    std::vector<RowToken> tokens;
    std::size_t bad = 0;
    std::string bytes;
    t.encode(text, tokens, bad);
    t.encodeGreedy(text, bytes);
    dp = 0;
    for (const RowToken& token : tokens) dp += static_cast<std::int64_t>(token.bytes.size());
    greedy = static_cast<std::int64_t>(bytes.size());
  }
  state.counters["text"] = static_cast<double>(text.size());
  state.counters["dp"] = static_cast<double>(dp);
  state.counters["greedy"] = static_cast<double>(greedy);
}
BENCHMARK(BM_ShortestOverGreedy);

}  // namespace
}  // namespace morvane
