// Shared set-up of the insertion tests: a patterned ROM, a character table
// and a job run through a scripted host.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "insert/Insert.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {

// Letters, blank, full stop, digits, braces, "TH" as one byte, the two
// control texts, end of phrase FF and new line FE; every letter 8 pixels wide.
inline std::string TestTable(bool withEnd = true, bool withControls = true) {
  std::string t = withEnd ? "/FF\r\n*FE\r\n" : "*FE\r\n";
  t += "20= \r\n2E=.\r\n7B={\r\n7D=}\r\n10=TH\r\n";
  for (char c = '0'; c <= '9'; ++c) t += "3" + std::string(1, c) + "=" + c + "\r\n";
  for (int c = 'A'; c <= 'Z'; ++c) {
    static const char* kDigits = "0123456789ABCDEF";
    const std::string hex = {kDigits[c >> 4], kDigits[c & 15]};
    t += hex + "=" + static_cast<char>(c) + "\r\n" + hex + " 8\r\n";
  }
  if (withControls) t += "F0=\\/\r\nF1=\\_/\r\n";
  return t;
}

inline std::string PatternRom(std::size_t size) {
  std::string rom(size, '\0');
  for (std::size_t i = 0; i < size; ++i) rom[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  return rom;
}

class InsertTest : public ::testing::Test {
 protected:
  JobResult run(const std::string& script) {
    host.answer(Dialog::OpenNES, dir.write("game.nes", rom))
        .answer(Dialog::OpenSJS, dir.write("script.txt", script))
        .answer(Dialog::OpenTBL, dir.write("game.tbl", table));
    return InsertJob(Settings{}, host);
  }
  std::string output() const { return Slurp(dir.file("game_Modified.nes")); }
  // Expects a clean run and returns the output.
  std::string inserted(const std::string& script) {
    const JobResult r = run(script);
    EXPECT_EQ(r.outcome, Outcome::Done);
    EXPECT_TRUE(host.warnings.empty()) << host.warnings.front().second;
    EXPECT_TRUE(host.errors.empty()) << host.errors.front();
    return output();
  }
  std::string warning() const {
    return host.warnings.empty() ? std::string() : host.warnings.front().second;
  }

  TempDir dir;
  ScriptedHost host;
  std::string rom = PatternRom(0x4000);
  std::string table = TestTable();
};

// Whole files compared byte for byte, reporting the first difference only.
inline void ExpectSameBytes(const std::string& actual, const std::string& expected) {
  EXPECT_EQ(actual.size(), expected.size());
  const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  if (a != actual.end() && e != expected.end()) {
    ADD_FAILURE() << "first difference at offset " << std::hex << (a - actual.begin()) << ": 0x"
                  << (*a & 0xFF) << " instead of 0x" << (*e & 0xFF);
  }
}

inline void Put(std::string& image, std::size_t at, std::string_view bytes) {
  image.replace(at, bytes.size(), bytes);
}

}  // namespace morvane
