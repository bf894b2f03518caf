#include "insert/ReadBack.h"

#include "insert/FindPhrase.h"
#include "script/ScriptHeader.h"
#include "tables/PhraseText.h"

namespace morvane {

std::vector<std::string> ReadBackFailures(const std::string& image,
                                          const std::vector<TextInserter::Placed>& placed,
                                          TextLines script, const StandardTable& table,
                                          bool lengthByte) {
  std::vector<std::string> failures;
  std::string step;
  ReadScriptHeader(script);
  for (const TextInserter::Placed& p : placed) {
    const FoundPhrase found = FindPhrase(script, p.phrase, step);
    if (p.failed) continue;  // listed when its rows were refused
    std::vector<std::string> rows;
    for (std::string row = found.firstRow; !row.empty();) {
      rows.push_back(row);
      if (!NextTranslatedRow(script, row)) break;
    }
    const std::size_t skip = lengthByte && p.length > 0 ? 1 : 0;
    const std::string_view bytes =
        std::string_view(image).substr(p.offset + skip, static_cast<std::size_t>(p.length) - skip);
    const DecodedPhrase back = DecodePhrase(bytes, table, RawForm::Dollar);
    std::string wanted;
    std::string got;
    if (!RowsText(rows, table, wanted)) wanted = "(rows the table can't read)";
    const bool readable = RowsText(back.rows, table, got);
    if (readable && got == wanted && back.length == bytes.size()) continue;
    failures.push_back("PhraseNumber = " + PhraseHex(p.phrase) + "h reads back as \"" + got +
                       "\" instead of \"" + wanted + "\".");
  }
  return failures;
}

}  // namespace morvane
