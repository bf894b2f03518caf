// Runs the real morvane executable as a script or build pipeline would.
#include <gtest/gtest.h>

#include <string>

#include "CliRun.h"
#include "TempDir.h"

namespace morvane {
namespace {

TEST(Cli, HelpListsEveryJob) {
  TempDir dir;
  const CliRun r = Morvane("--help", dir);
  EXPECT_EQ(r.status, 0);
  for (const char* job : {"dump", "insert", "strip", "search", "compare", "fds-split", "fds-merge",
                          "portopia-insert", "romancia-graphics"}) {
    EXPECT_NE(r.out.find(job), std::string::npos) << job;
  }
}

TEST(Cli, TableOnlyDumpWritesBesideTheRom) {
  TempDir dir;
  dir.write("t.nes", std::string(16, '\0') + "\x01\x02\x03");
  const CliRun r = Morvane("dump --mode table --rom " + dir.file("t.nes"), dir);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Wrote " + dir.file("t.asm.txt")), std::string::npos);
  const std::string listing = Slurp(dir.file("t.asm.txt"));
  EXPECT_NE(listing.find("8000:\t\t.byte $01\t;\r\n\t\t.byte $02\t;\r\n\t\t.byte $03\t;\r\n"),
            std::string::npos);
}

TEST(Cli, SettingsAreAppliedThroughTheWindowRules) {
  TempDir dir;
  dir.write("t.bin", std::string(0x30, '\x42'));
  const CliRun r = Morvane(
      "dump --mode table --no-header --preset C000 --block 0 --start c010 --end C01F --rom " +
          dir.file("t.bin"),
      dir);
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string listing = Slurp(dir.file("t.asm.txt"));
  EXPECT_NE(listing.find("; Block: 0.0 Address Base: C000\r\n; Table C010 thru C01F\r\n"),
            std::string::npos);
  EXPECT_NE(listing.find("C010:\t\t.byte $42"), std::string::npos);
}

TEST(Cli, UsageErrorsAndMissingFiles) {
  TempDir dir;
  CliRun r = Morvane("dump --mode table --start 80G0 --rom x.nes", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--start"), std::string::npos);

  r = Morvane("dump --mode table --block 1.2.3 --rom x.nes", dir);
  EXPECT_EQ(r.status, 2);

  r = Morvane("dump --address 1234 --rom x.nes", dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--preset custom"), std::string::npos);

  r = Morvane("dump --mode table", dir);
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("--rom"), std::string::npos);
  EXPECT_NE(r.out.find("Dump Canceled"), std::string::npos);

  r = Morvane("dump --mode table --rom " + dir.file("nothing.nes"), dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Error: Error #53 -> File not found"), std::string::npos);
  EXPECT_NE(r.out.find("Dump Error"), std::string::npos);

  r = Morvane("frobnicate", dir);
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace morvane
