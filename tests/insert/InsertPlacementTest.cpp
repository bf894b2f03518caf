#include "InsertFixture.h"
#include "script/ScriptHeader.h"

namespace morvane {
using namespace std::string_literals;
namespace {

std::string Script(std::string_view ptrs, std::string_view blocks,
                   std::initializer_list<std::string_view> body,
                   std::string_view phrases = "0\t4") {
  std::string s = "game Text\r\nPhrases\t" + std::string(phrases) + "\r\nChars\t20\t3\t\r\nPtrs\t" +
                  std::string(ptrs) + "\r\n" + std::string(blocks);
  for (auto line : body) s += std::string(line) + "\r\n";
  return s;
}

// Phrases 0 to 4, phrase 3 sharing the text of phrase 1.
const std::initializer_list<std::string_view> kFive = {";notes before the phrases",
                                                       "0:A100:",
                                                       "\xE3\x81\x82",
                                                       "HI",
                                                       "",
                                                       "1,3:",
                                                       "",
                                                       "YO",
                                                       "",
                                                       "2:",
                                                       "",
                                                       "A B",
                                                       "",
                                                       "4:",
                                                       "",
                                                       "THE",
                                                       ""};

TEST_F(InsertTest, SeparateTablesSharedPhrasesAndFill) {
  const std::string out = inserted(
      Script("A010\tA07C\t-7FF0\t1", "Blocks\t1\tee\r\nText\tA100\tA13F\t-7FF0\r\n", kFive));
  std::string expected = rom;
  Put(expected, 0x2110,
      "HI\xFFYO\xFF"
      "A B\xFF\x10"
      "E\xFF");
  Put(expected, 0x2110 + 13, std::string(64 - 13, '\xEE'));
  Put(expected, 0x2020, "\x00\x03\x06\x03\x0A"s);
  Put(expected, 0x208C, "\xA1\xA1\xA1\xA1\xA1");
  ExpectSameBytes(out, expected);
  EXPECT_EQ(host.labels[30], "13");
  EXPECT_EQ(host.labels[31], "51");
  EXPECT_EQ(host.labels[32], "4h");
  for (int i = 33; i <= 41; ++i) EXPECT_EQ(host.labels[i], "-----") << i;
  EXPECT_EQ(host.busyLeft, 1);
  EXPECT_FALSE(dir.exists("Temp.nes"));
  const std::vector<std::string> statuses = {
      "Copying bytes until at Block 0",
      "Inserting new bytes into Block 0",
      "Clearing or Filling Rest of Block 0",
      "Done with all Text; copying rest of ROM after Block 0",
      "Copying bytes before writing LSB Ptrs",
      "Writing LSB Ptrs",
      "Copying bytes after writing LSB Ptrs",
      "Copying bytes before writing MSB Ptrs",
      "Writing MSB Ptrs",
      "Copying bytes after writing MSB Ptrs"};
  EXPECT_EQ(host.statuses, statuses);
}

TEST_F(InsertTest, InterleavedTableWithPointerAdjustLeavesTheBlockRest) {
  const std::string out = inserted(
      Script("A02B\tA02A\t-7FF0\t2", "Blocks\t1\r\nText\tA100\tA13F\t-7FF0\t\t-4000\r\n", kFive));
  std::string expected = rom;
  Put(expected, 0x2110,
      "HI\xFFYO\xFF"
      "A B\xFF\x10"
      "E\xFF");
  Put(expected, 0x203A, "\x61\x00\x61\x03\x61\x06\x61\x03\x61\x0A"s);
  ExpectSameBytes(out, expected);
}

TEST_F(InsertTest, APhraseThatDoesNotFitMovesToTheNextBlock) {
  for (const bool fill : {false, true}) {
    SCOPED_TRACE(fill);
    host = ScriptedHost();
    const std::string blocks = std::string("Blocks\t2\t") + (fill ? "0" : "") +
                               "\r\nText\tA100\tA105\t-7FF0\r\nText\tA200\tA2FF\t-7FF0\t1\r\n";
    const std::string out = inserted(Script("A010\tA07C\t-7FF0\t1", blocks,
                                            {"0:", "", "HI", "", "1:", "", "WORLD", ""}, "0\t2"));
    std::string expected = rom;
    Put(expected, 0x2110, fill ? "HI\xFF\x00\x00\x00"s : "HI\xFF");
    Put(expected, 0x2210, "WORLD\xFF");
    if (fill) Put(expected, 0x2216, std::string(0x2310 - 0x2216, '\0'));
    // Phrase 2 lies above the last block's last phrase: its pointer stays 0000.
    Put(expected, 0x2020, "\x00\x00\x00"s);
    Put(expected, 0x208C, "\xA1\xA2\x00"s);
    ExpectSameBytes(out, expected);
    EXPECT_EQ(host.labels[30], "3");
    EXPECT_EQ(host.labels[31], "3");
    EXPECT_EQ(host.labels[32], "0h");
    EXPECT_EQ(host.labels[33], "6");
    EXPECT_EQ(host.labels[34], "250");
    EXPECT_EQ(host.labels[35], "1h");
    EXPECT_EQ(host.labels[36], "-----");
  }
}

TEST_F(InsertTest, NoneModeKeepsThePointerTables) {
  const std::string out = inserted(
      Script("NONE\t[NONE+1]\t-7FF0\t2", "Blocks\t1\r\nText\tA100\tA13F\t-7FF0\r\n", kFive));
  std::string expected = rom;
  Put(expected, 0x2110,
      "HI\xFFYO\xFF"
      "A B\xFF\x10"
      "E\xFF");
  ExpectSameBytes(out, expected);
  EXPECT_EQ(host.statuses.back(), "Done with all Text; copying rest of ROM after Block 0");
}

TEST_F(InsertTest, LengthModePrefixesEveryPhraseTheEmptyOneToo) {
  for (const bool withEnd : {true, false}) {
    SCOPED_TRACE(withEnd);
    host = ScriptedHost();
    table = TestTable(withEnd);
    const std::string out =
        inserted(Script("LENGTH", "Blocks\t1\r\nText\tA100\tA13F\t-7FF0\r\n",
                        {"0:", "", "HI", "", "1:", "", "", "2:", "", "A", "B", ""}, "0\t2"));
    std::string expected = rom;
    Put(expected, 0x2110,
        withEnd ? "\x04HI\xFF\x01\x05"
                  "A\xFE"
                  "B\xFF"
                : "\x03HI\x01\x04"
                  "A\xFE"
                  "B");
    ExpectSameBytes(out, expected);
  }
}

TEST_F(InsertTest, AnEmptyPhraseIsTheEndByteOrNothing) {
  table = TestTable(false);
  const std::string out =
      inserted(Script("A010\tA07C\t-7FF0\t1", "Blocks\t1\r\nText\tA100\tA13F\t-7FF0\r\n",
                      {"0:", "", "", "1:", "", "HI", ""}, "0\t1"));
  std::string expected = rom;
  Put(expected, 0x2110, "HI");
  Put(expected, 0x2020, "\x00\x00"s);
  Put(expected, 0x208C, "\xA1\xA1");
  ExpectSameBytes(out, expected);
}

TEST_F(InsertTest, TheLastSlotsAndTheLastPhraseNumber) {
  // All 2049 slots in use, the last one shared with the phrase before it.
  std::string s =
      "t\r\nPhrases\t0\t800\r\nChars\t20\t3\r\nPtrs\tNONE\r\nBlocks\t1\r\n"
      "Text\tB000\tB8FF\t-7FF0\r\n";
  for (int n = 0; n < 0x7FF; ++n) s += PhraseHex(n) + ":\r\n\r\n\r\n";
  s += "7FF,800:\r\n\r\nB\r\n\r\n";
  host = ScriptedHost();
  std::string expected = rom;
  Put(expected, 0x3010, std::string(0x7FF, '\xFF') + "B\xFF");
  ExpectSameBytes(inserted(s), expected);
  EXPECT_EQ(host.labels[32], "7FFh");

  // Phrase 7FFF, the highest number there is, is placed like any other.
  host = ScriptedHost();
  expected = rom;
  Put(expected, 0x3010,
      "A\xFF"
      "B\xFF");
  ExpectSameBytes(inserted("t\r\nPhrases\t7FFE\t7FFF\r\nChars\t20\t3\r\nPtrs\tNONE\r\nBlocks\t1\r\n"
                           "Text\tB000\tB7FF\t-7FF0\r\n7ffe:\r\n\r\nA\r\n\r\n7FFF:\r\n\r\nB\r\n"),
                  expected);
}

}  // namespace
}  // namespace morvane
