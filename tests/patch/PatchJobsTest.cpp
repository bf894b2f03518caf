// The patch jobs through the command line: patches made and applied beside
// their files, refusals that write nothing and leave the inputs alone.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "PatchFixture.h"
#include "patch/PatchFiles.h"
#include "patch/PatchFormat.h"

namespace morvane::test {
namespace {

std::string Q(const std::string& path) {
  return "'" + path + "'";
}

TEST(PatchJobs, OutputNames) {
  const struct {
    std::string path, patch, patched;
  } cases[] = {
      {"dir/game.nes", "dir/game.ips", "dir/game_Patched.nes"},
      {"my.dir/game", "my.dir/game.ips", "my.dir/game_Patched"},
      {"dir/.game", "dir/.game.ips", "dir/.game_Patched"},
      {"game.v1.fds", "game.v1.ips", "game.v1_Patched.fds"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PatchPathFor(c.path, PatchKind::Ips), c.patch);
    EXPECT_EQ(PatchedPathFor(c.path), c.patched);
  }
}

TEST(PatchJobs, CreateThenApplyInBothFormats) {
  const std::string original = RomLike(0x8010, 11);
  const std::string modified = MoveBlock(Scatter(original, 40), 0x100, 0x800, 0x4000) + "tail";
  for (const std::string format : {"", "ips", "bps"}) {
    TempDir dir;
    const std::string rom = dir.write("game.nes", original);
    const std::string mod = dir.write("game v2.nes", modified);
    const std::string ext = format.empty() ? ".bps" : "." + format;
    CliRun r = Morvane("patch-create --file1 " + Q(rom) + " --file2 " + Q(mod) +
                           (format.empty() ? "" : " --format " + format),
                       dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Wrote " + dir.file("game v2" + ext)), std::string::npos) << r.out;
    r = Morvane("patch-apply --rom " + Q(rom) + " --patch " + Q(dir.file("game v2" + ext)), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Wrote " + dir.file("game_Patched.nes")), std::string::npos) << r.out;
    EXPECT_TRUE(Slurp(dir.file("game_Patched.nes")) == modified) << format;
    EXPECT_TRUE(Slurp(rom) == original && Slurp(mod) == modified);
  }
}

TEST(PatchJobs, RefusalsWriteNothing) {
  const std::string original = "ABCDEFGH";
  const std::string bps = CreatePatch(PatchKind::Bps, original, "ABCDxFGH");
  const std::string badTarget = Footer(original, "ABCDyFGH", "BPS1" + B("88 88 80 8C 81 78 88"));
  const struct {
    std::string rom, patch, message;
    bool romAtFault = false;  // else the patch is
  } cases[] = {
      {"ABCDEFGX", bps, "for another file", true},
      {original + "I", bps, "for a file of 8 bytes", true},
      {original, badTarget, "patched result is wrong"},
      {original, bps.substr(0, bps.size() - 1), "damaged"},
      {original, "PATCH" + B("000001 0004") + "xy", "cut short"},
      {original, "Not a patch", "neither an IPS"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string rom = dir.write("game.nes", c.rom);
    const std::string patch = dir.write("fix.bps", c.patch);
    const CliRun r = Morvane("patch-apply --rom " + Q(rom) + " --patch " + Q(patch), dir);
    EXPECT_EQ(r.status, 1) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    // A plain message that names the file at fault, without an error number.
    EXPECT_NE(r.err.find("The file at fault: " + (c.romAtFault ? rom : patch)), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("Error #"), std::string::npos) << r.err;
    EXPECT_FALSE(dir.exists("game_Patched.nes")) << c.message;
    EXPECT_EQ(Slurp(rom), c.rom);
    EXPECT_EQ(Slurp(patch), c.patch);
  }
}

TEST(PatchJobs, CreateRefusesTheSameFileTwiceAndFilesWithTheSameBytes) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", "ABCD");
  const std::string copy = dir.write("copy.nes", "ABCD");
  for (const auto& [second, message] :
       {std::pair{rom, "are the same file"}, std::pair{copy, "has the same bytes"}}) {
    const CliRun r = Morvane("patch-create --file1 " + Q(rom) + " --file2 " + Q(second), dir);
    EXPECT_EQ(r.status, 2) << message;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_FALSE(dir.exists("game.bps") || dir.exists("copy.bps")) << message;
  }
}

TEST(PatchJobs, APatchNeverReplacesAnInput) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", "ABCD");
  const std::string mod = dir.write("game.bps", "ABCE");
  const CliRun r = Morvane("patch-create --file1 " + Q(rom) + " --file2 " + Q(mod), dir);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("would replace the input file"), std::string::npos) << r.err;
  EXPECT_EQ(Slurp(mod), "ABCE");
}

}  // namespace
}  // namespace morvane::test
