// Patches of files large enough that BPS creation indexes only every few
// positions: each shape still round-trips and costs what its changes cost,
// wherever the moved or shared data lies; a patch refused midway leaves no file.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliRun.h"
#include "PatchFixture.h"
#include "patch/Ips.h"
#include "patch/PatchFormat.h"

namespace morvane::test {
namespace {

TEST(PatchLarge, BpsShapesRoundTripAtTheirCost) {
  const std::size_t size = 1 << 20;
  const std::string rom = RomLike(size, 11);
  const std::string noise = RomLike(size, 12);
  const std::string block = RomLike(20000, 13);
  // A 2 KiB piece of the source deep inside bytes that match nothing.
  std::string shared = noise;
  shared.replace(300001, 2048, rom.substr(500003, 2048));
  const struct {
    const char* name;
    std::string target;
    std::size_t most;  // patch bytes
  } cases[] = {
      {"equal", rom, 40},
      {"scattered", Scatter(rom, 200), 200 * 6},
      {"block moved by odd offsets", MoveBlock(rom, 0x12345, 0x4321, 0x80001), 80},
      {"rotated by an odd amount", rom.substr(777) + rom.substr(0, 777), 60},
      {"shifted by one byte inserted", rom.substr(0, 99999) + "x" + rom.substr(99999), 60},
      {"new block written twice", rom.substr(0, 5001) + block + block + rom.substr(5001),
       block.size() + 80},
      {"unlike", noise, size + 40},
      {"shared piece deep in unlike bytes", shared, size - 2048 + 80},
      {"one long run", std::string(size, '\x33'), 60},
      {"shorter", rom.substr(3, size / 3), 60},
      {"longer", rom + rom.substr(1001, 70001), 60},
  };
  for (const auto& c : cases) {
    const std::string patch = CreatePatch(PatchKind::Bps, rom, c.target);
    EXPECT_TRUE(ApplyPatch(rom, patch) == c.target) << c.name;
    EXPECT_LE(patch.size(), c.most) << c.name;
  }
}

// Patches of several windows: records, numbers and written bytes that cross
// from one window into the next.
TEST(PatchLarge, TheJobsHandleLargePatchesPieceByPiece) {
  const std::string rom = RomLike(3 << 19, 21);
  // Unlike bytes, and a change every third byte.
  const std::string targets[] = {RomLike(3 << 19, 22), Scatter(rom, rom.size() / 3)};
  for (const std::string format : {"ips", "bps"}) {
    for (const std::string& target : targets) {
      TempDir dir;
      const std::string original = dir.write("game.nes", rom);
      const std::string modified = dir.write("new.nes", target);
      ASSERT_EQ(Morvane("patch-create --format " + format + " --file1 '" + original +
                            "' --file2 '" + modified + "'",
                        dir)
                    .status,
                0);
      const std::string patch = dir.file("new." + format);
      EXPECT_GT(Slurp(patch).size(), std::size_t{1} << 20) << format;
      EXPECT_EQ(Slurp(patch),
                CreatePatch(format == "ips" ? PatchKind::Ips : PatchKind::Bps, rom, target));
      ASSERT_EQ(Morvane("patch-apply --rom '" + original + "' --patch '" + patch + "'", dir).status,
                0);
      EXPECT_TRUE(Slurp(dir.file("game_Patched.nes")) == target) << format;
    }
  }
}

TEST(PatchLarge, ARefusedPatchLeavesNoFile) {
  TempDir dir;
  std::string rom = RomLike(kIpsLimit + 16, 5);
  const std::string original = dir.write("game.nes", rom);
  rom[7] ^= 1;  // written before the change that IPS can't hold
  rom[kIpsLimit + 3] ^= 1;
  const std::string modified = dir.write("game_v2.nes", rom);
  const CliRun r = Morvane(
      "patch-create --format ips --file1 '" + original + "' --file2 '" + modified + "'", dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("16 MiB"), std::string::npos) << r.err;
  EXPECT_FALSE(dir.exists("game_v2.ips"));
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();  // a temporary file
}

}  // namespace
}  // namespace morvane::test
