// A phrase's bytes read as script rows through a table, and the text a run
// of rows stands for, so that rows can be compared with what the bytes read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tables/StandardTable.h"

namespace morvane {

// How a byte the table does not read is written: {XX} (classic) or <$XX>.
enum class RawForm { Braces, Dollar };
std::string RawText(unsigned char byte, RawForm form);

// One entry (or one byte the table does not read) of a phrase: where its
// bytes lie, from the phrase's start.
struct PhraseToken {
  std::size_t at = 0;
  std::size_t length = 0;
  bool end = false;
  bool raw = false;       // written as raw bytes
  std::size_t row = 0;    // the row it is written in,
  std::size_t pos = 0;    // where in it,
  std::size_t chars = 0;  // and how long
};

struct DecodedPhrase {
  std::vector<std::string> rows;  // none for an empty phrase
  std::vector<PhraseToken> tokens;
  std::size_t length = 0;  // bytes read, the end of phrase included
  bool ended = false;      // an end of phrase was read
};

// Reads bytes from their start to the table's end of phrase or the end of
// bytes. A new line breaks the row after its text; a new line without text
// that would leave an empty row stays in the row as a raw byte, so that the
// rows insert back to the same bytes. The tokens that start at a byte set in
// raw (by place) are written as raw bytes whatever the table makes of them.
DecodedPhrase DecodePhrase(std::string_view bytes, const StandardTable& table, RawForm form,
                           const std::vector<bool>& raw = {});

// The text rows stand for: each row's characters as the table reads them (a
// raw byte as the text of its one-byte key), without the new-line and end
// texts that close a row, rows joined by CR LF ("\/" and "\_/" rows joined
// to their neighbours). Rows the table can't read give false.
bool RowsText(const std::vector<std::string>& rows, const StandardTable& table, std::string& text);

}  // namespace morvane
