#include "tiles/TableMaker.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace morvane {
namespace {

void ExpectSameTable(const CharTable& a, const CharTable& b) {
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(a.text[i], b.text[i]) << "byte " << i;
    EXPECT_EQ(a.glyphWidth[i], b.glyphWidth[i]) << "byte " << i;
  }
  EXPECT_EQ(a.endPhraseByte, b.endPhraseByte);
  EXPECT_EQ(a.newLineByte, b.newLineByte);
  EXPECT_EQ(a.endPhrase2Byte, b.endPhrase2Byte);
  EXPECT_EQ(a.endPhrase2Text, b.endPhrase2Text);
  EXPECT_EQ(a.newPageByte, b.newPageByte);
}

TEST(TableMaker, LoadAddSaveLoadLosesNothing) {
  TempDir dir;
  const std::string original =
      dir.write("game.tbl", CrLf({"*FE", "; a note", "/FF", "20= ", "3D==", "41=A", "0a=x",
                                  "82=\x82\xA0",      // Shift-JIS hiragana a
                                  "83=\xE3\x82\xA2",  // UTF-8 katakana a
                                  "90=\\/", "91=\\_/", "41 9", "D3 12"}));
  TableMaker maker = TableMaker::Load(original);
  ExpectSameTable(maker.table(), ReadTableFile(original));

  EXPECT_TRUE(maker.setRun(0xFF, {"\xE3\x82\xAB", "B", "\xE3\x83\x8A"}));  // カBナ
  EXPECT_TRUE(maker.setText(0x60, "\x83\x4A"));                            // Shift-JIS カ
  EXPECT_TRUE(maker.setText(0x3D, ""));
  EXPECT_FALSE(maker.setText(0x61, "a\rb"));
  maker.setNewLine(-1);
  maker.setEndPhrase(0xFD);
  const std::string saved = dir.file("saved.tbl");
  maker.save(saved);

  EXPECT_EQ(Slurp(saved), CrLf({"/FD", "00=B", "01=\xE3\x83\x8A", "0A=x", "20= ", "41=A",
                                "60=\x83\x4A", "82=\x82\xA0", "83=\xE3\x82\xA2", "90=\\/",
                                "91=\\_/", "FF=\xE3\x82\xAB", "41 9", "D3 12"}));
  const CharTable reread = ReadTableFile(saved);
  ExpectSameTable(reread, maker.table());
  EXPECT_EQ(reread.endPhrase2Byte, 0x90);
  EXPECT_EQ(reread.newPageByte, 0x91);
  ExpectSameTable(TableMaker::Load(saved).table(), reread);
}

TEST(TableMaker, MarkersFollowTheTexts) {
  TableMaker maker;
  maker.setText(0x10, "\xE2\x86\x93");
  maker.setText(0x11, "\\_/");
  EXPECT_EQ(maker.table().endPhrase2Byte, 0x10);
  EXPECT_EQ(maker.table().newPageByte, 0x11);
  maker.setText(0x10, "");
  maker.setText(0x11, "X");
  EXPECT_EQ(maker.table().endPhrase2Byte, -1);
  EXPECT_EQ(maker.table().newPageByte, -1);
  EXPECT_EQ(maker.fileText(), "11=X\r\n");
}

TEST(TableMaker, EncodingGuessesAndTileBytes) {
  const struct {
    std::string table;
    TableEncoding guess;
  } tables[] = {
      {"41=A\r\n5B=\\/\r\n", TableEncoding::Unknown},
      {"41=A\r\n82=\xE3\x81\x82\r\n83=\xC3\xA9\r\n84=\xF0\x9F\x98\x80\r\n", TableEncoding::Utf8},
      {"82=\xE3\x81\x82\r\n83=\x82\xA0\r\n", TableEncoding::ShiftJis},  // あ twice
      {"82=\xE3\x81\r\n", TableEncoding::ShiftJis},                     // cut short
      {"82=\x83\x4A\r\n", TableEncoding::ShiftJis},
  };
  for (const auto& t : tables) EXPECT_EQ(GuessEncoding(ParseTable(t.table)), t.guess) << t.table;
  const struct {
    long long index;
    int shift;
    int byte;
  } cases[] = {{0, 0, 0}, {255, 0, 255}, {256 + 0x41, 0, 0x41}, {5, -10, 251}, {0x30, 0x10, 0x40}};
  for (const auto& c : cases) EXPECT_EQ(TileByte(c.index, c.shift), c.byte);
}

}  // namespace
}  // namespace morvane
