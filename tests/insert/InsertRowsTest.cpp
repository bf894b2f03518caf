#include "InsertFixture.h"

namespace morvane {
namespace {

using namespace std::string_literals;

class InsertRowsTest : public InsertTest {
 protected:
  // One phrase with the given Chars fields and translated rows.
  JobResult runRows(std::string_view chars, std::initializer_list<std::string_view> rows) {
    host = ScriptedHost();
    std::string s = "t\r\nPhrases\t0\t0\r\nChars\t" + std::string(chars) +
                    "\r\nPtrs\tNONE\r\nBlocks\t1\r\nText\tA100\tA9FF\t-7FF0\r\n0:\r\n\r\n";
    for (auto row : rows) s += std::string(row) + "\r\n";
    return run(s);
  }
  void expectBytes(std::string_view chars, std::initializer_list<std::string_view> rows,
                   const std::string& bytes) {
    EXPECT_EQ(runRows(chars, rows).outcome, Outcome::Done) << warning();
    std::string expected = rom;
    Put(expected, 0x2110, bytes);
    ExpectSameBytes(output(), expected);
  }
  std::string refusal(std::string_view chars, std::initializer_list<std::string_view> rows) {
    EXPECT_EQ(runRows(chars, rows).outcome, Outcome::Warned);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.warnings.size(), 1u);
    if (!host.warnings.empty()) {
      EXPECT_EQ(host.warnings[0].first, "Error during Insert");
    }
    return warning();
  }
};

TEST_F(InsertRowsTest, FixedWidthLimit) {
  expectBytes("5\t3", {"ABCDE"}, "ABCDE\xFF");
  expectBytes("2\t3", {"THE"},
              "\x10"
              "E\xFF");  // one table text of two characters
  EXPECT_EQ(refusal("5\t3", {"AB CDEF"}),
            "PhraseNumber = 0h line 'AB CDEF' is too long.\r\nWidth 6 > 5.\r\n"
            "These characters don't fit |EF|.");
}

TEST_F(InsertRowsTest, VariableWidthLimitInPixels) {
  expectBytes("1B\t3\tV", {std::string(27, 'A')}, std::string(27, 'A') + "\xFF");
  EXPECT_EQ(refusal("1B\t3\tV", {std::string(28, 'A')}),
            "PhraseNumber = 0h line '" + std::string(28, 'A') +
                "' is too long.\r\nWidth 224 > 216.\r\nThese characters don't fit |A|.");
  expectBytes("1\t3\tV", {"{0A}{0B}A"},
              "\x0A\x0B"
              "A\xFF");  // raw bytes have no width
}

TEST_F(InsertRowsTest, RowLimitAndNewPage) {
  EXPECT_EQ(refusal("20\t3", {"A", "B", "C", "D"}),
            "PhraseNumber = 0h line 'D' is not allowed.\r\nRow: 4 > Max Row: 3.");
  expectBytes("20\t3", {"A", "B", "C", "\\_/", "D"},
              "A\xFE"
              "B\xFE"
              "C\xF1"
              "D\xFF");
}

TEST_F(InsertRowsTest, AlternateEndOfPhraseRules) {
  expectBytes("20\t3", {"\\/", "A", "B"},
              "\xF0"
              "A\xFE"
              "B\xFF");
  expectBytes("20\t3", {"A", "\\/"}, "A\xF0");
  EXPECT_EQ(refusal("20\t3", {"A", "\\/", "B"}),
            "PhraseNumber = 0h line 'B' is not allowed.\r\n"
            "Can't have text after an \\/ unless the \\/ is on the first row.");
}

TEST_F(InsertRowsTest, RawBytesAndUnknownCharacters) {
  expectBytes("20\t3", {"A{0a}{0G}"}, "A\x0A{0G}\xFF");
  EXPECT_EQ(refusal("20\t3", {"AB#C"}),
            "PhraseNumber = 0h\r\nRow = \"AB#C\"\r\nIncorrect 3rd character \"#C\" after \"AB\" in "
            "translated text.");
}

TEST_F(InsertRowsTest, PhraseLengthLimit) {
  expectBytes("7FFF\t3", {std::string(2047, 'A')}, std::string(2047, 'A') + "\xFF");
  const std::string tooLong =
      "PhraseNumber = 0h translated text is too long.\r\nMaximum number of characters is "
      "limited at 2048";
  EXPECT_EQ(refusal("7FFF\t3", {std::string(2048, 'A')}), tooLong);
  // Control rows alone can outgrow the phrase buffer too.
  host = ScriptedHost();
  std::string s =
      "t\r\nPhrases\t0\t0\r\nChars\t20\t3\r\nPtrs\tNONE\r\nBlocks\t1\r\n"
      "Text\tA100\tA9FF\t-7FF0\r\n0:\r\n\r\n";
  for (int i = 0; i < 2100; ++i) s += "\\_/\r\n";
  EXPECT_EQ(run(s).outcome, Outcome::Warned);
  EXPECT_EQ(warning(), tooLong);
}

}  // namespace
}  // namespace morvane
