#include "tiles/TileEdits.h"

#include <gtest/gtest.h>

#include "patch/PatchFormat.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

TEST(TileEdits, StepsUndoAndRedoInOrder) {
  // Two 16-byte tiles and half a tile; each row's pixels are 0 0 0 0 3 3 3 3.
  const std::string rom(40, '\x0F');
  TileEdits edits(rom);
  // A stroke of three pixels over two tiles is one step.
  EXPECT_TRUE(edits.draw(0, 2, 0, 0, 2));
  EXPECT_FALSE(edits.draw(0, 2, 0, 0, 2));  // already that colour
  EXPECT_TRUE(edits.draw(0, 2, 7, 7, 0));
  EXPECT_TRUE(edits.draw(16, 2, 1, 0, 1));
  edits.endStroke();
  std::string stroke = rom;
  stroke[8] = '\x8F';  // pixel 0, 0 in colour 2: plane 1 bit 7
  stroke[7] = '\x0E';  // pixel 7, 7 in colour 0: bit 0 of both planes
  stroke[15] = '\x0E';
  stroke[16] = '\x4F';  // the second tile's pixel 1, 0 in colour 1: plane 0 bit 6
  EXPECT_EQ(edits.bytes(), stroke);
  EXPECT_TRUE(edits.unsaved());
  // Fill and paste are a step each; the paste is cut at the end of the file.
  EXPECT_TRUE(edits.fill(16, 2, 0));
  EXPECT_TRUE(edits.paste(32, std::string(16, 'x')));
  EXPECT_EQ(edits.bytes().substr(16), std::string(16, '\0') + std::string(8, 'x'));
  EXPECT_EQ(edits.copy(16, 32, 2), std::string(16, '\0') + std::string(8, 'x'));

  ASSERT_TRUE(edits.undo());
  ASSERT_TRUE(edits.undo());
  EXPECT_EQ(edits.bytes(), stroke);
  ASSERT_TRUE(edits.undo());
  EXPECT_EQ(edits.bytes(), rom);
  EXPECT_FALSE(edits.unsaved());
  EXPECT_FALSE(edits.undo());
  ASSERT_TRUE(edits.redo());
  EXPECT_EQ(edits.bytes(), stroke);
  // A new change drops what could have been redone.
  EXPECT_TRUE(edits.fill(0, 1, 3));
  EXPECT_EQ(edits.bytes().substr(0, 8), std::string(8, '\xFF'));
  EXPECT_FALSE(edits.canRedo());
  edits.markSaved();
  EXPECT_FALSE(edits.unsaved());
  EXPECT_EQ(edits.original(), rom);
}

TEST(TileEdits, SavingWritesACopyAndThePatch) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", std::string(64, '\0'));
  TileEdits edits(Slurp(rom));
  edits.fill(16, 2, 3);
  const auto written = SaveEditedRom(rom, edits.original(), edits.bytes(), PatchKind::Ips);
  EXPECT_EQ(written, (std::vector<std::string>{dir.file("game_Modified.nes"),
                                               dir.file("game_Modified.ips")}));
  EXPECT_EQ(Slurp(written[0]), edits.bytes());
  EXPECT_EQ(ApplyPatch(edits.original(), Slurp(written[1])), edits.bytes());
  EXPECT_EQ(Slurp(rom), std::string(64, '\0'));
}

}  // namespace
}  // namespace morvane
