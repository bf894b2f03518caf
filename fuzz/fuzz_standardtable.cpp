// Character tables in the standard form: the reader, then the table's
// shortest encoding of the same bytes as a row and its decoding of them.
#include <string>

#include "shell/JobError.h"
#include "tables/PhraseText.h"
#include "tables/StandardTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  morvane::StandardTable table;
  try {
    table = morvane::ParseStandardTable(bytes, "fuzz.tbl");
  } catch (const morvane::JobError&) {
  }
  std::vector<morvane::RowToken> tokens;
  std::size_t bad = 0;
  std::string greedy;
  table.encode(bytes.substr(0, 4096), tokens, bad);
  table.encodeGreedy(bytes.substr(0, 4096), greedy);
  const morvane::DecodedPhrase phrase =
      morvane::DecodePhrase(bytes, table, morvane::RawForm::Dollar);
  std::string text;
  morvane::RowsText(phrase.rows, table, text);
  return 0;
}
