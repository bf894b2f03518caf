// What the command line prints about hostile files: their bytes never reach
// the terminal raw, and each message names what really happened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CliRun.h"
#include "TempDir.h"

namespace morvane {
namespace {

const std::string kEscapes = "\x1B]0;PWNED\x07\x1B[31mRED";

std::string Table() {
  std::string t = "/FF\r\n20= \r\n";
  for (char c = 'A'; c <= 'Z'; ++c) {
    char line[16];
    std::snprintf(line, sizeof line, "%02X=%c\r\n", c, c);
    t += line;
  }
  return t;
}

std::string Script(const std::string& blocksLine) {
  return "game Text\r\nPhrases\t0\t1\r\nChars\t20\t3\t\r\nPtrs\tA010\tA07C\t-7FF0\t1\r\n" +
         blocksLine +
         "\r\nText\tA100\tA13F\t-7FF0\r\n0:\r\nsrc\r\nHI\r\n\r\n1:\r\nsrc\r\nYO\r\n\r\n";
}

// Bytes of a script, a Table List and a character table that end up in a
// message: shown as {XX}, never as the bytes themselves.
TEST(SafeMessages, ControlBytesFromFilesShowAsHex) {
  struct Case {
    const char* what;
    const char* file;
    std::string bytes;
    std::string args;  // then the file
  };
  TempDir dir;
  const std::string rom = dir.write("game.nes", std::string(0x8010, '\x41'));
  const std::string tbl = dir.write("game.tbl", Table());
  const Case cases[] = {
      {"strip", "s.txt", Script("Blocks\t" + kEscapes), "strip --script"},
      {"insert", "s.txt", Script("Blocks\t" + kEscapes),
       "insert --rom " + rom + " --tbl " + tbl + " --script"},
      {"table list", "t.txt", "8000\t8010\t4\t0\t0\t1\t0\t0\t" + kEscapes + "\r\n",
       "dump --mode code --rom " + rom + " --tables"},
      {"character table", "w.tbl", "41=A\r\n41 99999999999999999999\r\n" + kEscapes + "\r\n",
       "compare --show-strings --file1 " + rom + " --file2 " + rom + " --tbl1 " + tbl + " --tbl2"},
  };
  for (const Case& c : cases) {
    const CliRun r = Morvane(c.args + " " + dir.write(c.file, c.bytes), dir);
    const std::string shown = r.out + r.err;
    EXPECT_EQ(shown.find('\x1B'), std::string::npos) << c.what << ": " << shown;
    EXPECT_EQ(shown.find('\x07'), std::string::npos) << c.what << ": " << shown;
  }
  // Where the bytes reach a message, they are shown.
  const CliRun r =
      Morvane("strip --script " + dir.write("s.txt", Script("Blocks\t" + kEscapes)), dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("{1B}]0;PWNED{07}{1B}[31mRED"), std::string::npos) << r.err;
}

TEST(SafeMessages, EachMessageSaysWhatHappened) {
  TempDir dir;
  dir.write("game.nes", std::string(0x8010, '\x41'));
  dir.write("game.tbl", Table());
  dir.write("s.txt", Script("Blocks\t1"));
  // Both patches, as the option's help promises.
  CliRun r = Morvane("insert --rom " + dir.file("game.nes") + " --tbl " + dir.file("game.tbl") +
                         " --script " + dir.file("s.txt") + " --patch ips --patch bps",
                     dir);
  EXPECT_EQ(r.status, 0) << r.err;
  for (const char* name : {"game_Modified.nes", "game_Modified.ips", "game_Modified.bps"}) {
    EXPECT_NE(r.out.find("Wrote " + dir.file(name)), std::string::npos) << r.out;
  }
  // A missing input is not found, however long the name of its output would be.
  r = Morvane("insert --rom " + dir.file(std::string(250, 'x') + ".nes") + " --tbl " +
                  dir.file("game.tbl") + " --script " + dir.file("s.txt"),
              dir);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("File not found"), std::string::npos) << r.err;
  // Letters beyond A to Z are named as such, not counted as none.
  r = Morvane("search --rom " + dir.file("game.nes") + " --word \xC3\x84\xC3\x96\xC3\x9C", dir);
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find("holds letters other than A to Z"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace morvane
