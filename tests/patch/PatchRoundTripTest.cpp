#include <gtest/gtest.h>

#include "PatchFixture.h"
#include "patch/Ips.h"
#include "patch/PatchFormat.h"

namespace morvane::test {
namespace {

std::vector<PatchPair> NamedPairs() {
  const std::string rom = RomLike(20000, 7);
  const std::string eofArea = RomLike(kIpsEofOffset + 0x20000, 3);
  std::string aroundEof = eofArea;
  for (std::size_t at : {kIpsEofOffset - 9, kIpsEofOffset, kIpsEofOffset + 0x10000})
    aroundEof[at] = static_cast<char>(aroundEof[at] ^ 1);
  std::string runOverEof = eofArea;
  runOverEof.replace(kIpsEofOffset - 0x10000, 0x20000, 0x20000, '\x42');
  std::string plainOverEof = eofArea;
  plainOverEof.replace(kIpsEofOffset - 0x10007, 0x20000, RomLike(0x20000, 5));
  return {
      {"both empty", "", ""},
      {"equal", rom, rom},
      {"one byte", rom, Scatter(rom, 1)},
      {"scattered", rom, Scatter(rom, 400)},
      {"moved block", rom, MoveBlock(rom, 1000, 3000, 12000)},
      {"target longer", rom, rom + RomLike(5000, 8)},
      {"target shorter", rom, rom.substr(0, 15000)},
      {"target shorter and changed", rom, Scatter(rom.substr(0, 9000), 30)},
      {"empty source", "", rom},
      {"empty target", rom, ""},
      {"repeated in target", rom.substr(0, 100), rom + rom + std::string(70000, 'x')},
      {"long runs", std::string(200000, '\0'), std::string(70000, 'a') + std::string(90000, 'b')},
      {"changes around the EOF offset", eofArea, aroundEof},
      {"run over the EOF offset", eofArea, runOverEof},
      {"plain records over the EOF offset", eofArea, plainOverEof},
      BigPair(),
  };
}

TEST(PatchRoundTrip, NamedAndRandomPairsInBothFormats) {
  std::vector<PatchPair> pairs = NamedPairs();
  for (unsigned seed = 1; seed <= 300; ++seed) pairs.push_back(RandomPair(seed));
  for (const PatchPair& pair : pairs) {
    for (const PatchKind kind : {PatchKind::Ips, PatchKind::Bps}) {
      const std::string patch = CreatePatch(kind, pair.source, pair.target);
      EXPECT_EQ(PatchKindOf(patch), kind);
      EXPECT_TRUE(ApplyPatch(pair.source, patch) == pair.target)
          << pair.name << " " << PatchExtension(kind);
    }
  }
}

TEST(PatchRoundTrip, BpsFindsMovedAndRepeatedData) {
  const PatchPair big = BigPair();
  EXPECT_LT(CreatePatch(PatchKind::Bps, big.source, big.target).size(),
            CreatePatch(PatchKind::Ips, big.source, big.target).size());
  // Moved and repeated blocks cost a few bytes each, not their size; a new
  // block written twice is in the patch once.
  const std::string rom = RomLike(200000, 4);
  const std::string block = RomLike(5000, 9);
  const std::vector<std::pair<std::string, std::size_t>> targets = {
      {MoveBlock(rom, 0x100, 0x8000, 0x20000), 60},
      {rom.substr(0x5000) + rom.substr(0, 0x5000), 60},
      {rom + rom.substr(0x1234, 0x4000), 60},
      {rom.substr(0, 0x9000) + block + block + rom.substr(0x9000), block.size() + 60}};
  for (const auto& [target, most] : targets)
    EXPECT_LT(CreatePatch(PatchKind::Bps, rom, target).size(), most);
}

}  // namespace
}  // namespace morvane::test
