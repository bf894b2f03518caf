// The rows a script dump writes for a phrase: what the bytes read through
// the table, with raw bytes where the text would not insert back to the same
// bytes (a text two keys share, text the shortest encoding takes otherwise).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/CharTable.h"
#include "tables/PhraseText.h"
#include "tables/StandardTable.h"

namespace morvane {

class ScriptRows {
 public:
  // classic is set for a table read in the classic form (its view in table),
  // whose rows the classic inserter encodes.
  ScriptRows(const StandardTable& table, const CharTable* classic);

  // The phrase at the start of bytes, up to its end of phrase or the end of
  // bytes; rows that insert back to exactly its bytes when exact is set.
  // columns grows to the widest row's width, as the inserter counts it.
  DecodedPhrase read(std::string_view bytes, bool& exact, int& columns) const;
  // The bytes rows insert as (a row the table can't read gives false).
  bool insertedBytes(const std::vector<std::string>& rows, std::string& bytes,
                     int* widest = nullptr) const;

 private:
  // Columns of the widest row, as the classic inserter counts them.
  void measure(const std::vector<std::string>& rows, int& columns) const;

  const StandardTable& table_;
  const CharTable* classic_;
  std::optional<EncodingList> list_;
  RawForm form_;
};

}  // namespace morvane
