#include "analysis/KanaTables.h"

namespace morvane {

namespace {

struct KanaRow {
  const char* name;
  std::uint8_t code;
};

constexpr KanaRow kRows[kKanaCount] = {
    {"A", 0xA0},  {"I", 0xA2},  {"U", 0xA4},  {"E", 0xA6},  {"O", 0xA8},   {"Ka", 0xA9},
    {"Ki", 0xAB}, {"Ku", 0xAD}, {"Ke", 0xAF}, {"Ko", 0xB1}, {"Sa", 0xB3},  {"Shi", 0xB5},
    {"Su", 0xB7}, {"Se", 0xB9}, {"So", 0xBB}, {"Ta", 0xBD}, {"Chi", 0xBF}, {"Tsu", 0xC2},
    {"Te", 0xC4}, {"To", 0xC6}, {"Na", 0xC8}, {"Ni", 0xC9}, {"Nu", 0xCA},  {"Ne", 0xCB},
    {"No", 0xCC}, {"Ha", 0xCD}, {"Hi", 0xD0}, {"Fu", 0xD3}, {"He", 0xD6},  {"Ho", 0xD9},
    {"Ma", 0xDC}, {"Mi", 0xDD}, {"Mu", 0xDE}, {"Me", 0xDF}, {"Mo", 0xE0},  {"Ya", 0xE2},
    {"Yu", 0xE4}, {"Yo", 0xE6}, {"Ra", 0xE7}, {"Ri", 0xE8}, {"Ru", 0xE9},  {"Re", 0xEA},
    {"Ro", 0xEB}, {"Wa", 0xED}, {"Wo", 0xF0}, {"Nn", 0xF1},
};

KanaTables Build() {
  KanaTables tables;
  for (int k = 0; k < kKanaCount; ++k) {
    tables.names[k] = kRows[k].name;
    tables.codes[k] = kRows[k].code;
  }
  return tables;
}

std::string Bytes(int a, int b) {
  return {static_cast<char>(a), static_cast<char>(b)};
}
std::string Bytes(int a, int b, int c) {
  return {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)};
}

}  // namespace

const KanaTables& InitKanaTables() {
  static const KanaTables tables = Build();
  return tables;
}

std::string KanaBytes(int k, bool shiftJis, bool katakana) {
  const int c = InitKanaTables().codes.at(static_cast<std::size_t>(k));
  if (shiftJis) {
    if (!katakana) return Bytes(0x82, c);
    return Bytes(0x83, k <= 31 ? c - 0x5F : c - 0x5E);
  }
  if (!katakana) return k <= 31 ? Bytes(0xE3, 0x81, c - 0x1E) : Bytes(0xE3, 0x82, c - 0x5E);
  return k <= 15 ? Bytes(0xE3, 0x82, c + 2) : Bytes(0xE3, 0x83, c - 0x3E);
}

}  // namespace morvane
