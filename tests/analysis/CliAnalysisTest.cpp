#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/TempDir.h"

namespace morvane {
namespace {

int Morvane(const std::string& args, const TempDir& dir) {
  const std::string command =
      std::string(MORVANE_BINARY) + " " + args + " >" + dir.file("out.txt") + " 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliAnalysis, SearchAndCompareFromTheCommandLine) {
  TempDir dir;
  const std::string rom = dir.write("r.nes", std::string(16, '\0') + "xxTHEyy");
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --word The", dir), 0);
  EXPECT_EQ(Slurp(dir.file("out.txt")),
            "Search Done: 1 THE found @ 00012 = THE = 54_48_45\nWrote " + dir.file("r Output.txt") +
                "\n");
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --word The --no-header --block 0.0001", dir), 0);
  EXPECT_NE(Slurp(dir.file("out.txt")).find("1 THE found @ 00012"), std::string::npos);
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --word jump", dir), 2);
  EXPECT_EQ(Morvane("search --rom '" + dir.file("none.nes") + "' --word THE", dir), 1);

  const std::string other = dir.write("s.nes", std::string(16, '\0') + "xxTHAyy");
  const std::string t1 = dir.write("1.tbl", "45=E\r\n");
  const std::string t2 = dir.write("2.tbl", "41=A\r\n");
  EXPECT_EQ(Morvane("compare --file1 '" + rom + "' --file2 '" + other +
                        "' --show-strings --tbl1 '" + t1 + "' --tbl2 '" + t2 + "'",
                    dir),
            0);
  EXPECT_EQ(Slurp(dir.file("out.txt")),
            "Done: 1 differences\nWrote " + dir.file("r Compare.txt") + "\n");
  EXPECT_NE(Slurp(dir.file("r Compare.txt")).find("File1:        E\r\nFile2:        A\r\n"),
            std::string::npos);
  EXPECT_EQ(
      Morvane("compare --file1 '" + rom + "' --file2 '" + dir.file("r Compare.txt") + "'", dir), 2);
  EXPECT_EQ(Morvane("compare --file1 '" + rom + "'", dir), 3);
}

// ROM bytes in the status line reach the terminal as {XX} when they are
// control characters; the report keeps them as they are.
TEST(CliAnalysis, SearchStatusShowsControlBytesAsHex) {
  TempDir dir;
  const std::string rom =
      dir.write("c.nes", std::string(16, '\0') + "\x1B\x1C\x1Dzz\x7E\x7F\x80\x0A\x0B\x0C");
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --word ABC", dir), 0);
  EXPECT_EQ(Slurp(dir.file("out.txt")),
            "Search Done: 3 ABC found @ 00018 = {0A}{0B}{0C} = 0A_0B_0C\nWrote " +
                dir.file("c Output.txt") + "\n");
  const std::string report = Slurp(dir.file("c Output.txt"));
  EXPECT_NE(report.find("1 ABC found @ 00010 = \x1B\x1C\x1D = 1B_1C_1D\r\n"), std::string::npos);
  EXPECT_NE(report.find("2 ABC found @ 00015 = ~\x7F\x80 = 7E_7F_80\r\n"), std::string::npos);
}

TEST(CliAnalysis, SearchOptionsFromTheCommandLine) {
  TempDir dir;
  const std::string rom = dir.write("o.nes", std::string(16, '\0') + "xx\x01w\x03zz");
  const std::string found = "1 A*C found @ 00012 = {01}w{03} = 01_77_03\nWrote ";
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --word 'A*C' --wildcard", dir), 0);
  EXPECT_EQ(Slurp(dir.file("out.txt")), "Search Done: " + found + dir.file("o Output.txt") +
                                            "\nWrote " + dir.file("o Search 1.tbl") + "\n");
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --values 1,*,3 --wildcard", dir), 0);
  EXPECT_NE(Slurp(dir.file("o Output.txt")).find("Relation: stored = number + 0\r\n"),
            std::string::npos);
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --width 12", dir), 2);
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --values 1,x", dir), 2);
  EXPECT_EQ(Morvane("search --rom '" + rom + "' --word AB --endian big", dir), 2);
  EXPECT_EQ(Slurp(dir.file("out.txt")),
            "Search Options Error: --endian needs --width 16.\nSearch Minor Error\n");
}

}  // namespace
}  // namespace morvane
