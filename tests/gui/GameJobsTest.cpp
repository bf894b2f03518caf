// The two game tools. Their buttons stay hidden, so the tests call the
// handlers the buttons would call.
#include "JobFixture.h"
#include "SheetBitmap.h"
#include "jobs/JobRegistry.h"
#include "shell/Values.h"

namespace morvane {
namespace {

constexpr std::size_t kAreaStart[] = {0x0D97, 0x4D97, 0x8D97};

// Every one of the 496 strings translated as one letter.
std::string PortopiaScript() {
  std::string s = "Portopia script\r\n\r\n";
  for (int n = 0; n <= 0x1EF; ++n) {
    s += PadHex(n, 3) + ": note\r\nsrc\t" + std::string(1, 'A' + n % 26) + "\r\n\r\n";
  }
  return s;
}

std::string PortopiaTable() {
  std::string t;
  for (char c = 'A'; c <= 'Z'; ++c) t += HexByte(c) + "=" + c + "\r\n";
  return t + "/FF\r\n*FE\r\n";
}

TEST_F(JobTest, PortopiaTextFillsItsThreeAreas) {
  std::string rom(0xC010, '\0');
  for (std::size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<char>(i * 13 + 5);
  answer(Dialog::OpenNES, dir.write("porto.nes", rom));
  answer(Dialog::OpenSJS, dir.write("porto.sjs", PortopiaScript()));
  answer(Dialog::OpenTBL, dir.write("porto.tbl", PortopiaTable()));
  window->runJob(*FindJob("portopia-insert"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked,
            (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenSJS, Dialog::OpenTBL}));

  std::string expected = rom;
  int string = 0;
  const int last[] = {0xA4, 0x149, 0x1EF};
  for (int b = 0; b < 3; ++b) {
    std::size_t at = kAreaStart[b];
    for (; string <= last[b]; ++string) {
      expected[at++] = static_cast<char>('A' + string % 26);
      expected[at++] = '\xFF';
    }
    const auto used = at - kAreaStart[b];
    EXPECT_EQ(label(30 + 3 * b), QString::number(used));
    EXPECT_EQ(label(31 + 3 * b), QString::number(12335 - used));
    EXPECT_EQ(label(32 + 3 * b), QString::number(last[b], 16).toUpper() + "h");
  }
  for (int i = 39; i <= 41; ++i) EXPECT_EQ(label(i), "-----") << i;
  EXPECT_TRUE(Slurp(dir.file("porto_Modified.nes")) == expected);
  EXPECT_FALSE(button("cmdInsertPortopia")->isVisible());
}

TEST_F(JobTest, RomanciaGraphicsReplacesBothTileStreams) {
  // Old streams of literal chunks, 200 and 300 bytes long, where the game keeps them.
  std::string rom(0x8010, '\0');
  for (std::size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<char>(i * 7 + 3);
  for (const auto& [at, length] : {std::pair{0x277C, 200}, std::pair{0x3302, 300}}) {
    for (int n = 0; n < length - 1; ++n) rom[at + n] = n % 6 == 0 ? std::min(5, length - 2 - n) : 1;
    rom[at + length - 1] = 0;
  }
  answer(Dialog::OpenNES, dir.write("game.nes", rom));
  answer(Dialog::OpenBmp, dir.write("sheet.bmp", BlankSheetBitmap()));
  window->runJob(*FindJob("romancia-graphics"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenBmp}));
  // A blank bank: 32 runs of 128 zero bytes and one of 32, then the end byte.
  std::string blank;
  for (int i = 0; i < 32; ++i) blank += std::string("\xFF\x00", 2);
  blank += std::string("\xA0\x00\x00", 3);
  std::string expected = rom;
  expected.replace(0x277C, blank.size(), blank);
  expected.replace(0x3302, blank.size(), blank);
  EXPECT_TRUE(Slurp(dir.file("game_Modified.nes")) == expected);
  EXPECT_FALSE(button("cmdInsertGraphics")->isVisible());
}

}  // namespace
}  // namespace morvane
