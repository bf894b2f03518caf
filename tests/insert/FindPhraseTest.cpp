#include <gtest/gtest.h>

#include "insert/FindPhrase.h"
#include "shell/JobError.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

TEST(FindPhrase, MatchesTheNumberAsItsHeaderLineWritesIt) {
  TextLines file(CrLf({"01A:no match, leading zero", "note: also passed over", "1a:86E6:",
                       "\xE3\x81\x82", "\xE3\x81\x84", "ROW ONE", "ROW TWO", "", "rest"}));
  std::string step;
  const FoundPhrase found = FindPhrase(file, 0x1A, step);
  EXPECT_TRUE(found.shared.empty());
  EXPECT_EQ(found.firstRow, "ROW ONE");
  EXPECT_EQ(step, "Read Japanese rows of iPhraseNumber = 1Ah");
  std::string row;
  ASSERT_TRUE(NextTranslatedRow(file, row));
  EXPECT_EQ(row, "ROW TWO");
  EXPECT_FALSE(NextTranslatedRow(file, row));  // the empty line ends the rows
  ASSERT_TRUE(file.next(row));
  EXPECT_EQ(row, "rest");
}

TEST(FindPhrase, SharedListsAndEmptySourceText) {
  TextLines file(CrLf({"2,4,a:", "", "HELLO", "", "FFFF:", "", "", "5:", "source only", ""}));
  std::string step;
  const FoundPhrase two = FindPhrase(file, 2, step);
  EXPECT_EQ(two.shared, (std::vector<std::int32_t>{4, 0xA}));
  EXPECT_EQ(two.firstRow, "HELLO");
  std::string row;
  EXPECT_FALSE(NextTranslatedRow(file, row));
  const FoundPhrase minusOne = FindPhrase(file, -1, step);  // printed as 16 bits
  EXPECT_EQ(minusOne.firstRow, "");
  const FoundPhrase five = FindPhrase(file, 5, step);
  EXPECT_EQ(five.firstRow, "");  // the source row ends at an empty line: no translation
}

TEST(FindPhrase, TheFirstLineIsSourceWhateverItHolds) {
  // With single-byte source text only the first line is skipped.
  TextLines file(CrLf({"0:8000:", "HELLO", "BONJOUR", ""}));
  std::string step;
  EXPECT_EQ(FindPhrase(file, 0, step).firstRow, "BONJOUR");
  TextLines endsEarly(CrLf({"0:8000:", "\x82\xA0"}));
  EXPECT_EQ(FindPhrase(endsEarly, 0, step).firstRow, "");
}

TEST(FindPhrase, AScriptWithoutTheEntryIsARunTimeErrorNamingThePhrase) {
  TextLines file(CrLf({"1:", "", "A", "", "3:", "", "C", ""}));
  std::string step;
  FindPhrase(file, 1, step);
  try {
    FindPhrase(file, 2, step);
    ADD_FAILURE() << "phrase 2 found";
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrPastEnd);
    EXPECT_EQ(step, "Ignore all UTF Rows until iPhraseNumber = 2h");
  }
}

}  // namespace
}  // namespace morvane
