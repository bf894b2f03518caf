#include <gtest/gtest.h>

#include <random>
#include <string>

#include "analysis/FileCompare.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// The body of a report without Show Strings, one byte pair after another.
std::string ExpectedBody(const std::string& a, const std::string& b, std::size_t start) {
  std::string out;
  long long gap = 1000;
  long long count = 0;
  for (std::size_t p = start; p < a.size() && p < b.size(); ++p) {
    if (a[p] == b[p]) {
      ++gap;
      continue;
    }
    if (gap >= 17) {
      out += std::string(61, '=') + "\r\n";
    } else if (gap >= 3) {
      out += std::string(61, '-') + "\r\n";
    } else if (gap >= 1) {
      out += "------\r\n";
    }
    std::string line = HexWord(static_cast<long long>(p)) + ":";
    line.resize(14, ' ');
    line += HexByte(static_cast<unsigned char>(a[p]));
    line.resize(28, ' ');
    out += line + HexByte(static_cast<unsigned char>(b[p])) + "\r\n";
    ++count;
    gap = 0;
  }
  std::string status = "Done: " + std::to_string(count) + " differences";
  if (a.size() != b.size()) {
    status += "; the files differ in length (" + std::to_string(a.size()) + " and " +
              std::to_string(b.size()) + " bytes)";
  }
  return out + std::string(61, '-') + "\r\n" + status + "\r\n";
}

TEST(CompareStream, LargeFilesMatchAByteByByteCompare) {
  TempDir dir;
  std::mt19937 rng(5);
  std::string a((5u << 19) + 333, '\0');
  for (char& c : a) c = static_cast<char>(rng());
  std::string b = a.substr(0, a.size() - 100);
  for (int i = 0; i < 20000; ++i) b[rng() % b.size()] ^= static_cast<char>(1 + rng() % 255);
  for (std::size_t at : {0xFFFF8, 0xFFFFF, 0x100000, 0x100007, 0x100008, 0x10001A, 0x1FFFFF}) {
    b[at] = static_cast<char>(~a[at]);
  }
  b.back() = static_cast<char>(~a[b.size() - 1]);
  const std::string pathA = dir.write("a.bin", a);
  const std::string pathB = dir.write("b.bin", b);
  for (double block : {0.0, 3.5}) {
    SCOPED_TRACE(block);
    ScriptedHost host;
    host.answer(Dialog::OpenNES, pathA);
    host.answer(Dialog::OpenNES, pathB);
    Settings s;
    s.block = block;
    EXPECT_EQ(CompareJob(s, host).outcome, Outcome::Done);
    const std::string report = Slurp(dir.file("a Compare.txt"));
    const auto start = static_cast<std::size_t>(block * 16384);
    const std::string head =
        BannerText() + CrLf({"--------------------", "Differences between", "File 1: a.bin", "and",
                             "File 2: b.bin", "Starting at byte " + Hex(start), "",
                             "Address       File1         File2"});
    EXPECT_EQ(report, head + ExpectedBody(a, b, start));
    EXPECT_EQ(host.yields, static_cast<int>(b.size() / 2048 - start / 2048));
  }
}

}  // namespace
}  // namespace morvane
