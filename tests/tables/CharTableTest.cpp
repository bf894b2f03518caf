#include "tables/CharTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "shell/JobError.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// The bytes EncodingList gives for a line, or {} when a character has no byte.
std::vector<int> Encode(const EncodingList& list, std::string_view line) {
  std::vector<int> bytes;
  for (std::size_t pos = 0; pos < line.size();) {
    std::size_t length = 0;
    const int b = list.match(line, pos, length);
    if (b < 0) return {};
    bytes.push_back(b);
    pos += length;
  }
  return bytes;
}

TEST(CharTable, EmptyFileDefinesNothing) {
  const CharTable t = ParseTable("");
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(t.text[b], "");
    EXPECT_EQ(t.glyphWidth[b], 0);
  }
  EXPECT_EQ(t.endPhraseByte, -1);
  EXPECT_EQ(t.newLineByte, -1);
  EXPECT_EQ(t.endPhrase2Byte, -1);
  EXPECT_EQ(t.newPageByte, -1);
  EXPECT_TRUE(EncodingList(t).pairs().empty());
}

TEST(CharTable, EntryLines) {
  const CharTable t = ParseTable(CrLf({"00= ", "10=cd", "0a=x", "3D==", "41=A=B ", "42=", "4G=no",
                                       "8140=no", "43", " 44=no", "45=E", "45="}));
  EXPECT_EQ(t.text[0x00], " ");
  EXPECT_EQ(t.text[0x10], "cd");
  EXPECT_EQ(t.text[0x0A], "x");
  EXPECT_EQ(t.text[0x3D], "=");
  EXPECT_EQ(t.text[0x41], "A=B ");
  EXPECT_EQ(t.text[0x81], "");  // four-digit keys are not entries
  EXPECT_EQ(t.text[0x44], "");
  EXPECT_EQ(t.text[0x45], "");  // a later empty entry undefines the byte
  int defined = 0;
  for (const auto& text : t.text) defined += text.empty() ? 0 : 1;
  EXPECT_EQ(defined, 5);
}

TEST(CharTable, ControlLines) {
  CharTable t = ParseTable(CrLf({"*3B", "/01"}));
  EXPECT_EQ(t.newLineByte, 0x3B);
  EXPECT_EQ(t.endPhraseByte, 0x01);
  t = ParseTable(CrLf({"/FF", "/ 01", "/01 end", "*fe", "*", "/A"}));
  EXPECT_EQ(t.endPhraseByte, 0x01);
  EXPECT_EQ(t.newLineByte, 0xFE);
  EXPECT_EQ(t.text[0x01], "");  // control lines define no text
}

TEST(CharTable, AlternateEndAndNewPageMarks) {
  CharTable t = ParseTable(CrLf({"20=\\/", "28=\\_/"}));
  EXPECT_EQ(t.endPhrase2Byte, 0x20);
  EXPECT_EQ(t.endPhrase2Text, "\\/");
  EXPECT_EQ(t.newPageByte, 0x28);

  t = ParseTable(CrLf({"20=\\/", "21=\xE2\x86\x93", "20=x"}));
  EXPECT_EQ(t.endPhrase2Byte, 0x21);
  EXPECT_EQ(t.endPhrase2Text, "\xE2\x86\x93");

  // A mark stays set when its byte later gets another text.
  t = ParseTable(CrLf({"30=\x81\xAB", "31=\\_/", "30=a", "31=b"}));
  EXPECT_EQ(t.endPhrase2Byte, 0x30);
  EXPECT_EQ(t.endPhrase2Text, "\x81\xAB");
  EXPECT_EQ(t.newPageByte, 0x31);

  // Near misses are plain text.
  t = ParseTable(CrLf({"40=\\/ ", "41=\xE2\x86", "42=\\_", "43=/"}));
  EXPECT_EQ(t.endPhrase2Byte, -1);
  EXPECT_EQ(t.newPageByte, -1);
}

TEST(CharTable, WidthLinesAreDecimalBehindAHexTest) {
  const CharTable t = ParseTable(
      CrLf({"D3 4", "10 12", "11 1F", "12 0A", "13 ", "14 4 5", "15 x", "16 007", "d3=a"}));
  EXPECT_EQ(t.glyphWidth[0xD3], 4);
  EXPECT_EQ(t.glyphWidth[0x10], 12);
  EXPECT_EQ(t.glyphWidth[0x11], 1);
  EXPECT_EQ(t.glyphWidth[0x12], 0);
  EXPECT_EQ(t.glyphWidth[0x13], 0);
  EXPECT_EQ(t.glyphWidth[0x14], 0);
  EXPECT_EQ(t.glyphWidth[0x15], 0);
  EXPECT_EQ(t.glyphWidth[0x16], 7);
  EXPECT_EQ(t.text[0xD3], "a");
  EXPECT_EQ(ParseTable("20 32767").glyphWidth[0x20], 32767);
  try {
    ParseTable("20 32768");
    FAIL() << "no overflow";
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrOverflow);
  }
}

TEST(CharTable, LineEnds) {
  // CR and CR LF end lines; a lone LF belongs to the line; the last line
  // needs no end; a UTF-8 byte-order mark does not hide the first key.
  const CharTable t = ParseTable(
      "\xEF\xBB\xBF"
      "41=A\r42=B\r\n43=C\n44=D\r\r45=E");
  EXPECT_EQ(t.text[0x41], "A");
  EXPECT_EQ(t.text[0x42], "B");
  EXPECT_EQ(t.text[0x43], "C\n44=D");
  EXPECT_EQ(t.text[0x44], "");
  EXPECT_EQ(t.text[0x45], "E");
  // Only a mark at the very start is skipped.
  EXPECT_EQ(ParseTable("41=A\r\xEF\xBB\xBF"
                       "42=B")
                .text[0x42],
            "");
}

TEST(CharTable, ReadsFilesAndReportsMissingOnes) {
  TempDir dir;
  const CharTable t = ReadTableFile(dir.write("a.tbl", "/FF\r\n41=A\r\n"));
  EXPECT_EQ(t.text[0x41], "A");
  EXPECT_EQ(t.endPhraseByte, 0xFF);
  try {
    ReadTableFile(dir.file("missing.tbl"));
    FAIL() << "no error";
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrFileNotFound);
  }
  EXPECT_THROW(ReadCompareTableFile(dir.path()), JobError);
}

TEST(CompareTable, UndefinedBytesShowTheirValue) {
  const CompareText map = ParseCompareTable(CrLf({"41=A", "/FF", "*3b", "20 5", "42=", "0a=x"}));
  EXPECT_EQ(map[0x41], "A");
  EXPECT_EQ(map[0xFF], "/");
  EXPECT_EQ(map[0x3B], "*");
  EXPECT_EQ(map[0x42], "");
  EXPECT_EQ(map[0x0A], "x");
  EXPECT_EQ(map[0x20], "{20}");
  EXPECT_EQ(map[0x7F], "{7F}");
  EXPECT_EQ(map[0x00], "{00}");
}

TEST(EncodingList, LongestTextFirstThenByteValue) {
  const CharTable t = ParseTable(
      CrLf({"61=A", "41=A", "10=cd", "05=c", "30=\\/", "FF=abc", "64=d", "0F=cd", "31=\\_/"}));
  const EncodingList list(t);
  std::vector<std::pair<std::string, std::uint8_t>> expected = {
      {"\\_/", 0x31}, {"abc", 0xFF}, {"cd", 0x0F}, {"cd", 0x10}, {"\\/", 0x30},
      {"c", 0x05},    {"A", 0x41},   {"A", 0x61},  {"d", 0x64}};
  EXPECT_EQ(list.pairs(), expected);

  // Greedy: the longest text wins, equal texts take the lower byte, and the
  // control texts encode like any other.
  EXPECT_EQ(Encode(list, "cdcA"), (std::vector<int>{0x0F, 0x05, 0x41}));
  EXPECT_EQ(Encode(list, "dabc\\/\\_/"), (std::vector<int>{0x64, 0xFF, 0x30, 0x31}));
  EXPECT_TRUE(Encode(list, "cx").empty());
  std::size_t length = 9;
  EXPECT_EQ(list.match("cd", 5, length), -1);
  EXPECT_EQ(length, 0u);
}

TEST(CharTable, JunkAndHugeInputsAreReadSafely) {
  // Every byte value, NULs and stray line ends included.
  std::string junk;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 200000; ++i) {
    seed = seed * 1103515245u + 12345u;
    junk.push_back(static_cast<char>(seed >> 16));
    if (i % 97 == 0) junk += "4";  // now and then something that looks like a key
  }
  const CharTable t = ParseTable(junk);
  EXPECT_LE(EncodingList(t).pairs().size(), 256u);
  ParseCompareTable(junk);

  // A very long entry, and a file without a single line end.
  const std::string huge(8 << 20, 'x');
  const CharTable big = ParseTable("/FF\r\n41=" + huge + "\r\n42=B");
  EXPECT_EQ(big.text[0x41].size(), huge.size());
  EXPECT_EQ(big.text[0x42], "B");
  const EncodingList list(big);
  ASSERT_EQ(list.pairs().size(), 2u);
  EXPECT_EQ(list.pairs()[0].second, 0x41);

  const CharTable oneLine = ParseTable("41=A42=B/FF");
  EXPECT_EQ(oneLine.text[0x41], "A42=B/FF");
  EXPECT_EQ(oneLine.endPhraseByte, -1);
}

// Tables from public translation projects, read where they lie.
std::filesystem::path CorpusDir() {
  if (const char* dir = std::getenv("MORVANE_SHARED_DIR")) {
    return std::filesystem::path(dir) / "corpus" / "tbl";
  }
  return std::filesystem::path(MORVANE_SHARED_DIR) / "corpus" / "tbl";
}

TEST(CharTable, RealTables) {
  const auto dir = CorpusDir();
  if (!std::filesystem::exists(dir / "sanqui-telefang-patch.tbl")) {
    GTEST_SKIP() << "no table corpus at " << dir;
  }
  // CR LF lines, a byte defined twice, UTF-8 texts, a backslash text.
  const CharTable patch = ReadTableFile((dir / "sanqui-telefang-patch.tbl").string());
  EXPECT_EQ(patch.text[0x21], "!");
  EXPECT_EQ(patch.text[0x27], "'");
  EXPECT_EQ(patch.text[0x20], " ");
  EXPECT_EQ(patch.text[0xE0],
            "\xC2\xAB"
            "END\xC2\xBB");
  EXPECT_EQ(patch.text[0xE2], "\\n");
  EXPECT_EQ(patch.endPhraseByte, -1);
  const EncodingList list(patch);
  EXPECT_EQ(list.pairs().front(), (std::pair<std::string, std::uint8_t>{"\xC2\xAB"
                                                                        "END\xC2\xBB",
                                                                        0xE0}));
  EXPECT_EQ(Encode(list, "Hi!\\n"), (std::vector<int>{0x48, 0x69, 0x21, 0xE2}));

  // The others hold no CR at all and end their lines with LF: they read line
  // by line all the same.
  const CharTable original = ReadTableFile((dir / "sanqui-telefang-original.tbl").string());
  EXPECT_EQ(original.text[0x00], " ");
  EXPECT_EQ(original.text[0x01], "\xE3\x82\xA2");
  // A byte-order mark and no line end after the last entry.
  const CharTable zelda = ReadTableFile((dir / "zelda-redux-text.tbl").string());
  EXPECT_EQ(zelda.text[0x00], "0");
  EXPECT_EQ(zelda.text[0x01], "1");
  EXPECT_EQ(zelda.text[0x20], "W");
  EXPECT_EQ(zelda.text[0x24], " ");
  EXPECT_EQ(zelda.text[0xE6], "#");
  const CharTable medarot = ReadTableFile((dir / "sanqui-medarot1.tbl").string());
  EXPECT_EQ(medarot.text[0x0A], "\xE3\x82\xBC");
  const CompareText map = ReadCompareTableFile((dir / "sanqui-medarot1.tbl").string());
  EXPECT_EQ(map[0x0A], "\xE3\x82\xBC");
}

TEST(CharTable, UnixLineEndsOnlyCountInATextWithoutCr) {
  const CharTable unix = ParseTable("41=A\n42=B\n/FF\n");
  EXPECT_EQ(unix.text[0x41], "A");
  EXPECT_EQ(unix.text[0x42], "B");
  EXPECT_EQ(unix.endPhraseByte, 0xFF);
  // One CR anywhere and a lone LF is part of its line again.
  const CharTable mixed = ParseTable("41=A\n42=B\r\n");
  EXPECT_EQ(mixed.text[0x41], "A\n42=B");
  EXPECT_EQ(mixed.text[0x42], "");
}

}  // namespace
}  // namespace morvane
