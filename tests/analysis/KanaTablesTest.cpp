#include <gtest/gtest.h>

#include <string>

#include "analysis/KanaTables.h"

namespace morvane {
namespace {

// The 46 kana typed as UTF-8 hiragana, in table order.
constexpr std::string_view kHiragana =
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん";

std::string Utf8(unsigned cp) {
  return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
}

unsigned CodePoint(std::string_view utf8) {
  return ((utf8[0] & 0x0Fu) << 12) | ((utf8[1] & 0x3Fu) << 6) | (utf8[2] & 0x3Fu);
}

// Hiragana and katakana share their cell numbers in JIS X 0208 rows 4 and 5,
// and their order in Unicode: every form follows from the hiragana's cell.
TEST(KanaTables, EveryFormIsTheStandardEncodingOfItsKana) {
  const KanaTables& kana = InitKanaTables();
  ASSERT_EQ(kHiragana.size(), 3u * kKanaCount);
  for (int k = 0; k < kKanaCount; ++k) {
    SCOPED_TRACE(k);
    const unsigned hira = CodePoint(kHiragana.substr(3 * k, 3));
    const unsigned cell = hira - 0x3040;
    const unsigned kataSecond = 0x40 + cell - 1 + (0x40 + cell - 1 >= 0x7F ? 1 : 0);
    EXPECT_EQ(kana.codes[k], 0x9F + cell - 1);
    EXPECT_EQ(KanaBytes(k, false, false), Utf8(hira));
    EXPECT_EQ(KanaBytes(k, false, true), Utf8(hira + 0x60));
    EXPECT_EQ(KanaBytes(k, true, false), std::string({'\x82', static_cast<char>(0x9F + cell - 1)}));
    EXPECT_EQ(KanaBytes(k, true, true), std::string({'\x83', static_cast<char>(kataSecond)}));
  }
  EXPECT_EQ(KanaBytes(0, true, true), "\x83\x41");        // ア
  EXPECT_EQ(KanaBytes(32, false, true), "\xE3\x83\xA0");  // ム
}

TEST(KanaTables, NamesInGojuonOrderAndTheSpareSlotEmpty) {
  const KanaTables& kana = InitKanaTables();
  std::string joined;
  for (int k = 0; k < kKanaCount; ++k) joined += kana.names[k] + " ";
  EXPECT_EQ(joined,
            "A I U E O Ka Ki Ku Ke Ko Sa Shi Su Se So Ta Chi Tsu Te To Na Ni Nu Ne No Ha Hi Fu "
            "He Ho Ma Mi Mu Me Mo Ya Yu Yo Ra Ri Ru Re Ro Wa Wo Nn ");
  EXPECT_EQ(kana.names[kKanaCount], "");
  EXPECT_EQ(kana.codes[kKanaCount], 0);
  EXPECT_EQ(&InitKanaTables(), &kana);
}

}  // namespace
}  // namespace morvane
