// The 46 basic kana in gojuon order: romaji names, Shift-JIS codes and the
// four byte forms the relative search writes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace morvane {

inline constexpr int kKanaCount = 46;

// 47 slots each; slots 0-45 are filled, slot 46 stays empty.
struct KanaTables {
  std::array<std::string, kKanaCount + 1> names{};   // "A", "Ka", "Shi", ... "Nn"
  std::array<std::uint8_t, kKanaCount + 1> codes{};  // second byte of the Shift-JIS hiragana
};

// Builds the tables on the first call; every call returns the same tables.
const KanaTables& InitKanaTables();

// The bytes of kana k (0-45) in Shift-JIS or UTF-8, hiragana or katakana.
std::string KanaBytes(int k, bool shiftJis, bool katakana);

}  // namespace morvane
