#include "insert/StandardPhrase.h"

#include <algorithm>

#include "shell/JobError.h"

namespace morvane {

namespace {

constexpr char kQuote = '"';

[[noreturn]] void Refuse(const std::string& message) {
  throw JobError::Minor("Error during Insert", message);
}

[[noreturn]] void RefuseRow(const std::string& hex, const std::string& row,
                            const std::string& why) {
  Refuse("PhraseNumber = " + hex + "h line '" + row + "' " + why);
}

bool Is(const RowToken& token, const StandardTable& table, EntryKind kind) {
  if (token.entry < 0) return false;
  const TableEntry& e = table.entries()[static_cast<std::size_t>(token.entry)];
  return e.kind == kind;
}

int TokenWidth(const RowToken& token, const StandardTable& table, bool vwf) {
  if (!Is(token, table, EntryKind::Text)) return 0;
  return vwf ? table.widthOf(table.entries()[static_cast<std::size_t>(token.entry)]) : 1;
}

}  // namespace

int RowWidth(const std::vector<RowToken>& tokens, const StandardTable& table, bool vwf) {
  int width = 0;
  for (const RowToken& token : tokens) width += TokenWidth(token, table, vwf);
  return width;
}

std::string EncodeStandardPhrase(const std::vector<std::string>& rows, const ScriptHeader& header,
                                 const StandardTable& table, const std::string& hex, int* widest) {
  std::string bytes;
  bool ended = false;     // a row ended the phrase with the end text
  bool brokeLine = true;  // the row before ended with the new-line text
  int k = 1;
  std::vector<RowToken> tokens;
  for (const std::string& row : rows) {
    if (ended) {
      RefuseRow(hex, row, "is not allowed.\r\nCan't have text after the end of phrase.");
    }
    if (k > header.maxRows) {
      RefuseRow(hex, row,
                "is not allowed.\r\nRow: " + std::to_string(k) +
                    " > Max Row: " + std::to_string(header.maxRows) + ".");
    }
    if (k > 1 && !brokeLine) {
      if (table.newLine() == nullptr || table.newLine()->key.empty()) {
        RefuseRow(hex, row, "is not allowed.\r\nThe table names no new-line byte (a *XX line).");
      }
      bytes += table.newLine()->key;
    }
    std::size_t bad = 0;
    if (!table.encode(row, tokens, bad)) {
      Refuse("PhraseNumber = " + hex + "h\r\nRow = " + kQuote + row + kQuote + "\r\nIncorrect " +
             std::to_string(bad + 1) + "th character " + kQuote + row.substr(bad) + kQuote +
             " after " + kQuote + row.substr(0, bad) + kQuote + " in translated text.");
    }
    int width = 0;
    for (std::size_t t = 0; t < tokens.size(); ++t) {
      if (ended) {
        RefuseRow(hex, row,
                  "is not allowed.\r\nCan't have text after the end of phrase |" +
                      row.substr(tokens[t].pos) + "|.");
      }
      width += TokenWidth(tokens[t], table, header.vwf);
      if (width > header.maxWidth) {
        RefuseRow(hex, row,
                  "is too long.\r\nWidth " + std::to_string(width) + " > " +
                      std::to_string(header.maxWidth) + ".\r\nThese characters don't fit |" +
                      row.substr(tokens[t].pos) + "|.");
      }
      bytes += tokens[t].bytes;
      ended = Is(tokens[t], table, EntryKind::End);
    }
    if (widest != nullptr) *widest = std::max(*widest, width);
    brokeLine = !tokens.empty() && Is(tokens.back(), table, EntryKind::NewLine);
    ++k;
  }
  if (!ended && table.end() != nullptr) bytes += table.end()->key;
  return bytes;
}

}  // namespace morvane
