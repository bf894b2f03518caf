#include "tables/PhraseText.h"

#include "shell/Values.h"

namespace morvane {

std::string RawText(unsigned char byte, RawForm form) {
  return form == RawForm::Braces ? "{" + HexByte(byte) + "}" : "<$" + HexByte(byte) + ">";
}

DecodedPhrase DecodePhrase(std::string_view bytes, const StandardTable& table, RawForm form,
                           const std::vector<bool>& raw) {
  DecodedPhrase phrase;
  std::string row;
  bool brokeWithoutText = false;
  std::size_t pos = 0;
  auto rawBytes = [&](std::size_t at, std::size_t length) {
    for (std::size_t i = at; i < at + length; ++i) {
      row += RawText(static_cast<unsigned char>(bytes[i]), form);
    }
  };
  while (pos < bytes.size() && !phrase.ended) {
    const TableEntry* e = table.match(bytes.substr(pos));
    const bool forced = pos < raw.size() && raw[pos] && e != nullptr && e->kind != EntryKind::End;
    const std::size_t length = e == nullptr ? 1 : e->key.size();
    // Each token notes where its text stands once it is written.
    const auto token = [&](std::size_t at, std::size_t size, bool isRaw) {
      phrase.tokens.push_back({at, size, false, isRaw, phrase.rows.size(), row.size(), 0});
    };
    const auto wrote = [&] { phrase.tokens.back().chars = row.size() - phrase.tokens.back().pos; };
    token(pos, length, e == nullptr || forced);
    if (e == nullptr || forced) {
      rawBytes(pos, length);
      wrote();
      pos += length;
      continue;
    }
    pos += length;
    switch (e->kind) {
      case EntryKind::Text:
        row += e->text;
        wrote();
        break;
      case EntryKind::Linked:
        row += e->text;
        wrote();
        for (int i = 0; i < e->linked && pos < bytes.size(); ++i) {
          token(pos, 1, true);
          rawBytes(pos++, 1);
          wrote();
        }
        break;
      case EntryKind::End:
        row += e->text;
        wrote();
        phrase.ended = true;
        phrase.tokens.back().end = true;
        break;
      case EntryKind::NewLine:
        if (e->text.empty() && row.empty()) {
          phrase.tokens.back().raw = true;
          rawBytes(pos - length, length);
          wrote();
          break;
        }
        row += e->text;
        wrote();
        phrase.rows.push_back(std::move(row));
        row.clear();
        brokeWithoutText = e->text.empty();
        break;
    }
  }
  phrase.length = pos;
  if (!row.empty()) {
    phrase.rows.push_back(std::move(row));
  } else if (brokeWithoutText && !phrase.rows.empty()) {
    // A new line right before the end: kept as a raw byte of the last row.
    for (const char c : table.newLine()->key) {
      phrase.rows.back() += RawText(static_cast<unsigned char>(c), form);
    }
  }
  return phrase;
}

bool RowsText(const std::vector<std::string>& rows, const StandardTable& table, std::string& text) {
  text.clear();
  std::vector<RowToken> tokens;
  bool joined = true;
  for (const std::string& row : rows) {
    const bool marker = row == "\\/" || row == "\\_/";
    if (!joined && !marker) text += "\r\n";
    joined = marker;
    std::size_t bad = 0;
    if (!table.encode(row, tokens, bad)) return false;
    while (!tokens.empty() && tokens.back().entry >= 0) {
      const EntryKind kind = table.entries()[static_cast<std::size_t>(tokens.back().entry)].kind;
      if (kind != EntryKind::NewLine && kind != EntryKind::End) break;
      tokens.pop_back();
    }
    for (const RowToken& token : tokens) {
      if (token.entry >= 0) {
        text += table.entries()[static_cast<std::size_t>(token.entry)].text;
        continue;
      }
      const TableEntry* e = table.match(token.bytes);
      text +=
          e != nullptr && e->key.size() == 1 ? e->text : RawText(token.bytes[0], RawForm::Dollar);
    }
  }
  return true;
}

}  // namespace morvane
