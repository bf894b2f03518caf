#include "tables/CharTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/JobError.h"
#include "shell/Values.h"
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

// Tables shaped like those of public translation projects: CR LF lines with a
// byte defined twice, UTF-8 texts and a backslash text; LF lines only; a
// byte-order mark and no line end after the last entry; a leading empty line.
std::string Lines(const std::vector<std::string>& entries, const std::string& end) {
  std::string text;
  for (const std::string& entry : entries) text += entry + end;
  return text;
}

std::vector<std::string> Ascii(char from, char to) {
  std::vector<std::string> entries;
  for (char c = from; c <= to; ++c) entries.push_back(HexByte(c) + "=" + c);
  return entries;
}

TEST(CharTable, RealTables) {
  TempDir dir;
  std::vector<std::string> patchLines = Ascii('!', '/');
  patchLines.insert(patchLines.begin() + 6, "27=\xE2\x80\x99");  // ’ before the ' that wins
  for (const std::string& line : Ascii('0', '~')) patchLines.push_back(line);
  patchLines.insert(patchLines.end(), {"20= ",
                                       "E0=\xC2\xAB"
                                       "END\xC2\xBB",
                                       "E1=[P]", "E2=\\n"});
  const CharTable patch = ReadTableFile(dir.write("patch.tbl", Lines(patchLines, "\r\n")));
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
  std::vector<std::string> kana = {"00= "};
  for (int b = 1; b < 0x50; ++b) {
    const int code = 0x30A2 + b - 1;  // katakana from ア, three bytes of UTF-8 each
    kana.push_back(HexByte(b) + "=" + static_cast<char>(0xE0 | code >> 12) +
                   static_cast<char>(0x80 | (code >> 6 & 0x3F)) +
                   static_cast<char>(0x80 | (code & 0x3F)));
  }
  const CharTable original = ReadTableFile(dir.write("original.tbl", Lines(kana, "\n")));
  EXPECT_EQ(original.text[0x00], " ");
  EXPECT_EQ(original.text[0x01], "\xE3\x82\xA2");
  // A byte-order mark and no line end after the last entry.
  std::vector<std::string> digits;
  const std::string letters = "0123456789ABCDEFGHIJKLMNOPQRSTUVW";
  for (std::size_t b = 0; b < letters.size(); ++b) {
    digits.push_back(HexByte(static_cast<int>(b)) + "=" + letters[b]);
  }
  digits.insert(digits.end(), {"24= ", "28=,", "29=!", "2A='", "2B=&", "2C=.", "E6=#"});
  std::string zeldaText = "\xEF\xBB\xBF" + Lines(digits, "\n");
  zeldaText.pop_back();
  const CharTable zelda = ReadTableFile(dir.write("zelda.tbl", zeldaText));
  EXPECT_EQ(zelda.text[0x00], "0");
  EXPECT_EQ(zelda.text[0x01], "1");
  EXPECT_EQ(zelda.text[0x20], "W");
  EXPECT_EQ(zelda.text[0x24], " ");
  EXPECT_EQ(zelda.text[0xE6], "#");
  // An empty first line, then the kana again.
  kana[0x0A] = "0A=\xE3\x82\xBC";
  const std::string medarotPath = dir.write("medarot.tbl", "\n" + Lines(kana, "\n"));
  const CharTable medarot = ReadTableFile(medarotPath);
  EXPECT_EQ(medarot.text[0x0A], "\xE3\x82\xBC");
  const CompareText map = ReadCompareTableFile(medarotPath);
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
