#include "insert/ScriptRows.h"

#include <algorithm>

#include "insert/PhraseEncoder.h"
#include "insert/StandardPhrase.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// A header that lets any phrase through: the dump measures its rows itself.
ScriptHeader OpenHeader() {
  ScriptHeader header;
  header.maxWidth = 0x7FFF;
  header.maxRows = 0x7FFF;
  header.pointerMode = PointerMode::None;
  return header;
}

}  // namespace

ScriptRows::ScriptRows(const StandardTable& table, const CharTable* classic)
    : table_(table), classic_(classic), form_(classic ? RawForm::Braces : RawForm::Dollar) {
  if (classic_ != nullptr) list_.emplace(*classic_);
}

bool ScriptRows::insertedBytes(const std::vector<std::string>& rows, std::string& bytes,
                               int* widest) const {
  static const ScriptHeader kOpen = OpenHeader();
  try {
    if (classic_ == nullptr) {
      bytes = EncodeStandardPhrase(rows, kOpen, table_, "0", widest);
      return true;
    }
    std::string rest;
    for (std::size_t i = 1; i < rows.size(); ++i) rest += rows[i] + "\r\n";
    TextLines lines(rest + "\r\n");
    PhraseEncoder encoder(kOpen, *classic_, *list_);
    encoder.encode(lines, rows.empty() ? std::string() : rows[0], 0);
    bytes.assign(reinterpret_cast<const char*>(encoder.bytes()),
                 static_cast<std::size_t>(encoder.length()));
    return true;
  } catch (const JobError&) {
    return false;
  }
}

DecodedPhrase ScriptRows::read(std::string_view bytes, bool& exact, int& columns) const {
  DecodedPhrase phrase = DecodePhrase(bytes, table_, form_);
  const std::string_view original = bytes.substr(0, phrase.length);
  std::vector<bool> raw(original.size(), false);
  if (classic_ == nullptr) {
    // One pass over each row finds what the shortest encoding would write otherwise.
    std::vector<std::vector<StandardTable::Piece>> pieces(phrase.rows.size());
    std::vector<std::vector<std::size_t>> at(phrase.rows.size());  // each piece's byte
    for (const PhraseToken& t : phrase.tokens) {
      if (t.raw || t.chars == 0 || t.row >= pieces.size()) continue;
      pieces[t.row].push_back({t.pos, t.chars, std::string(original.substr(t.at, t.length))});
      at[t.row].push_back(t.at);
    }
    bool departs = false;
    for (std::size_t r = 0; r < pieces.size(); ++r) {
      table_.markDeparting(phrase.rows[r], pieces[r]);
      for (std::size_t k = 0; k < pieces[r].size(); ++k) {
        if (pieces[r][k].departs) raw[at[r][k]] = departs = true;
      }
    }
    if (departs) phrase = DecodePhrase(bytes, table_, form_, raw);
  }
  std::string encoded;
  // Each round writes one more token as raw bytes: the one where the
  // inserted bytes first part from the original ones.
  for (std::size_t round = 0; round <= phrase.tokens.size(); ++round) {
    int widest = 0;
    if (insertedBytes(phrase.rows, encoded, &widest) && encoded == original) {
      exact = true;
      if (classic_ != nullptr) measure(phrase.rows, widest);
      columns = std::max(columns, widest);
      return phrase;
    }
    const std::size_t differs = static_cast<std::size_t>(
        std::mismatch(encoded.begin(), encoded.end(), original.begin(), original.end()).second -
        original.begin());
    if (original.empty()) break;
    const auto& tokens = phrase.tokens;
    std::size_t t = tokens.size();
    while (t > 0 && tokens[t - 1].at > std::min(differs, original.size() - 1)) --t;
    while (t > 0 && (tokens[t - 1].end || raw[tokens[t - 1].at])) --t;
    if (t == 0) break;
    raw[tokens[t - 1].at] = true;
    phrase = DecodePhrase(bytes, table_, form_, raw);
  }
  exact = false;
  measure(phrase.rows, columns);
  return phrase;
}

void ScriptRows::measure(const std::vector<std::string>& rows, int& columns) const {
  std::vector<RowToken> tokens;
  for (const std::string& row : rows) {
    int width = 0;
    if (classic_ == nullptr) {
      std::size_t bad = 0;
      if (table_.encode(row, tokens, bad)) width = RowWidth(tokens, table_, false);
    } else {
      for (std::size_t pos = 0, length = 0; pos < row.size();
           pos += std::max<std::size_t>(length, 1)) {
        if (RawByteAt(row, pos, length) >= 0 && row[pos] == '{') continue;
        if (list_->match(row, pos, length) >= 0) ++width;
      }
    }
    columns = std::max(columns, width);
  }
}

}  // namespace morvane
