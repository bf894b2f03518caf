#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "analysis/RelativeSearch.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// The report of a Latin search, one window after another.
std::string ExpectedReport(const std::string& bytes, const std::string& word, std::size_t start) {
  const std::string rule = "--------------------\r\n";
  std::string out = BannerText() + rule;
  int hits = 0;
  const std::size_t n = word.size();
  for (std::size_t p = start; p + n <= bytes.size(); ++p) {
    const int f = static_cast<unsigned char>(bytes[p]);
    bool hit = true;
    for (std::size_t i = 1; i < n && hit; ++i) {
      hit = static_cast<unsigned char>(bytes[p + i]) - f == word[i] - word[0];
    }
    if (!hit) continue;
    ++hits;
    const int base = f - word[0] + 'A';
    if (base < 0 || base > 230) continue;
    out += std::to_string(hits) + " " + word + " found @ " + HexOffset(static_cast<int>(p)) +
           " = " + bytes.substr(p, n) + " = ";
    for (std::size_t i = 0; i < n; ++i) {
      out += (i ? "_" : "") + HexByte(static_cast<unsigned char>(bytes[p + i]));
    }
    out += "\r\n";
    for (int k = 0; k < 26; ++k)
      out += HexByte(base + k) + "=" + static_cast<char>('A' + k) + "\r\n";
    out += rule;
  }
  return out;
}

JobResult Search(ScriptedHost& host, const std::string& rom, const std::string& word, bool header) {
  Settings s;
  s.searchText = word;
  s.header = header;
  s.block = 0;
  host.answer(Dialog::OpenNES, rom);
  return SearchJob(s, host);
}

// Several buffers' worth of random bytes, with hits planted where windows
// straddle the ends of the buffers, beyond 16-bit offsets and at the very end.
TEST(SearchStream, LargeFilesMatchAWindowByWindowScan) {
  TempDir dir;
  std::mt19937 rng(11);
  std::string bytes((5u << 19) + 77, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  for (std::size_t at : {std::size_t{0x7FFC}, std::size_t{0xFFFFA}, std::size_t{0xFFFFF},
                         std::size_t{0x100004}, std::size_t{0x1FFFF9}, bytes.size() - 7}) {
    bytes.replace(at, 7, "MORVANE");
  }
  const std::string rom = dir.write("big.bin", bytes);
  struct Case {
    const char* word;
    bool header;
  };
  for (const Case& c : {Case{"MORVANE", false}, Case{"MORVANE", true}, Case{"AB", true}}) {
    SCOPED_TRACE(std::string(c.word) + (c.header ? " with header" : ""));
    ScriptedHost host;
    EXPECT_EQ(Search(host, rom, c.word, c.header).outcome, Outcome::Done);
    EXPECT_EQ(Slurp(dir.file("big Output.txt")), ExpectedReport(bytes, c.word, c.header ? 16 : 0));
    EXPECT_EQ(host.yields, static_cast<int>((bytes.size() - std::strlen(c.word) + 1) / 2048));
  }
}

TEST(SearchStream, HitsAreCountedPast32767) {
  TempDir dir;
  // 255 hits, most of them listed, then a hit at every other byte that is
  // too high to be listed.
  std::string bytes(66000, '\xF0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<char>(i < 256 ? i : 0xF0 + i % 2);
  }
  const std::string rom = dir.write("many.bin", bytes);
  ScriptedHost host;
  EXPECT_EQ(Search(host, rom, "AB", false).outcome, Outcome::Done);
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(Slurp(dir.file("many Output.txt")), ExpectedReport(bytes, "AB", 0));
  EXPECT_EQ(host.lastStatus(), "Search Done: 33127 AB found @ 101CE = \xF0\xF1 = F0_F1");
}

}  // namespace
}  // namespace morvane
