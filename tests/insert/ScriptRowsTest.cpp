// Every phrase a table can read goes back to the same bytes: rows read from
// random phrases through random DTE/MTE tables insert as the phrase's bytes.
#include "insert/ScriptRows.h"

#include <gtest/gtest.h>

#include <random>

#include "shell/Values.h"

namespace morvane {
namespace {

// Texts from a small alphabet, so that they overlap, share and combine; keys
// of one and two bytes; FF ends, FE breaks a line, with or without texts.
StandardTable RandomTable(std::mt19937& rng) {
  std::string lines = rng() % 2 ? "/FF=<end>\r\n" : "/FF\r\n";
  lines += rng() % 2 ? "*FE=<br>\r\n" : "*FE\r\n";
  if (rng() % 3 == 0) lines += "$F0=<c>," + std::to_string(rng() % 3) + "\r\n";
  for (int i = 0; i < 40; ++i) {
    std::string text;
    for (std::size_t n = 1 + rng() % 3; text.size() < n;) text += "abc<${}"[rng() % 7];
    const int key = static_cast<int>(rng() % 0xF0);
    lines += (rng() % 4 == 0 ? HexWord(0x8000 + key) : HexByte(key)) + "=" + text + "\r\n";
  }
  return ParseStandardTable(lines, "random.tbl");
}

TEST(ScriptRows, RandomPhrasesGoBackToTheirBytes) {
  std::mt19937 rng(20261207);
  int checked = 0;
  int rewritten = 0;  // phrases whose text alone would not go back
  for (int round = 0; round < 400; ++round) {
    const StandardTable table = RandomTable(rng);
    std::string bytes;
    for (std::size_t n = rng() % 24; bytes.size() < n;) {
      const auto b = static_cast<char>(rng() % 8 == 0 ? 0xFE : rng() % 0x100);
      if (b != '\xFF') bytes += b;
    }
    bytes += '\xFF';
    const ScriptRows rows(table, nullptr);
    bool exact = false;
    int columns = 0;
    const DecodedPhrase phrase = rows.read(bytes, exact, columns);
    if (!phrase.ended) continue;  // a linked entry took the end byte: the dump refuses it
    ASSERT_TRUE(exact) << round;
    std::string back;
    ASSERT_TRUE(rows.insertedBytes(phrase.rows, back)) << round;
    EXPECT_EQ(back, bytes.substr(0, phrase.length)) << round;
    ++checked;
    if (phrase.rows != DecodePhrase(bytes, table, RawForm::Dollar).rows) ++rewritten;
  }
  EXPECT_GT(checked, 300);
  EXPECT_GT(rewritten, 30);
}

}  // namespace
}  // namespace morvane
