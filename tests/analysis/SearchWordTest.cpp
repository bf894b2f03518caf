#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/SearchWord.h"
#include "shell/JobError.h"

namespace morvane {
namespace {

// The title and message of the warning a word raises, or "" when it is taken.
std::string Refusal(std::string_view typed) {
  try {
    ReadSearchWord(typed);
  } catch (const JobError& e) {
    EXPECT_EQ(e.kind(), JobError::Kind::Minor);
    EXPECT_EQ(e.file(), "");
    return e.title() + ": " + e.message();
  }
  return "";
}

std::string LengthMessage(int n) {
  return "String Length Error: Search string of " + std::to_string(n) +
         " characters is a bad length.\r\nPick one that is between 2 and 16 characters.";
}

TEST(SearchWord, LatinWordsAndTheSearchBox) {
  const SearchWord mixed = ReadSearchWord("The cat, 9");
  EXPECT_EQ(mixed.word, "THECAT");
  EXPECT_EQ(mixed.boxText, "THECAT");
  EXPECT_FALSE(mixed.lowerCase);
  EXPECT_FALSE(mixed.kana);
  EXPECT_EQ(mixed.codes, (std::vector<int>{'T', 'H', 'E', 'C', 'A', 'T'}));

  const SearchWord lower = ReadSearchWord("the");
  EXPECT_EQ(lower.word, "THE");
  EXPECT_EQ(lower.boxText, "the");
  EXPECT_TRUE(lower.lowerCase);
  EXPECT_EQ(lower.codes, (std::vector<int>{'T', 'H', 'E'}));

  const SearchWord capitalJ = ReadSearchWord("JUMP");
  EXPECT_FALSE(capitalJ.kana);
  EXPECT_EQ(capitalJ.word, "JUMP");

  EXPECT_EQ(SearchBoxText("The"), "THE");
  EXPECT_EQ(SearchBoxText("a1"), "a1");            // all lower case: left as typed
  EXPECT_EQ(SearchBoxText("jNOMAKI"), "jNOMAKI");  // kana: left as typed
  EXPECT_EQ(SearchBoxText("A"), "A");
  EXPECT_EQ(SearchBoxText("Ab 1"), "AB");  // rewritten even when the length is refused
}

TEST(SearchWord, KanaForms) {
  const SearchWord kata = ReadSearchWord("jNOMAKIMONO");
  EXPECT_TRUE(kata.kana);
  EXPECT_FALSE(kata.shiftJis);
  EXPECT_TRUE(kata.katakana);
  EXPECT_FALSE(kata.lowerCase);
  EXPECT_EQ(kata.word, "jNOMAKIMONO");
  EXPECT_EQ(kata.codes, (std::vector<int>{24, 30, 6, 34, 24}));

  const SearchWord hira = ReadSearchWord("jnomakimono");
  EXPECT_FALSE(hira.katakana);
  EXPECT_TRUE(hira.lowerCase);
  EXPECT_EQ(hira.word, "jNOMAKIMONO");
  EXPECT_EQ(hira.codes, kata.codes);

  const SearchWord sjis = ReadSearchWord("jsnoMakIMOno");
  EXPECT_TRUE(sjis.shiftJis);
  EXPECT_FALSE(sjis.katakana);
  EXPECT_FALSE(sjis.lowerCase);
  EXPECT_EQ(sjis.word, "jsNOMAKIMONO");
  EXPECT_EQ(sjis.boxText, "jsnoMakIMOno");

  EXPECT_EQ(ReadSearchWord("jkonnichiha").codes, (std::vector<int>{9, 45, 1, 16, 25}));
  EXPECT_EQ(ReadSearchWord("jshi tsu-fu").codes, (std::vector<int>{26, 17, 27}));  // js + hi
  EXPECT_EQ(ReadSearchWord("jchi shi").codes, (std::vector<int>{16, 11}));
  EXPECT_TRUE(ReadSearchWord("jsKA KA").katakana);
}

TEST(SearchWord, Refusals) {
  EXPECT_EQ(Refusal("jump"), "Japanese Error: MP is not a japanese character.");
  EXPECT_EQ(Refusal("jasi"), "Japanese Error: SI is not a japanese character.");
  EXPECT_EQ(Refusal("jaKXYZA"), "Japanese Error: KXYZ is not a japanese character.");
  EXPECT_EQ(Refusal("jan"), "Japanese Error: N is not a japanese character.");
  EXPECT_EQ(Refusal("A"), LengthMessage(1));
  EXPECT_EQ(Refusal("A1"), LengthMessage(1));
  EXPECT_EQ(Refusal("ABCDEFGHIJKLMNOPQ"), LengthMessage(17));
  EXPECT_EQ(Refusal("12 3"), LengthMessage(0));
  EXPECT_EQ(Refusal("js"), LengthMessage(0));
  EXPECT_EQ(Refusal("jka"), LengthMessage(1));
  EXPECT_EQ(Refusal("ABCDEFGHIJKLMNOP"), "");
  EXPECT_EQ(Refusal("jkakikukekokakikukekokakikukekoka"), "");
  EXPECT_EQ(Refusal("jkakikukekokakikukekokakikukekokaki"), LengthMessage(17));
}

}  // namespace
}  // namespace morvane
