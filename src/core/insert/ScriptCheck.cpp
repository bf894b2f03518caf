#include "insert/ScriptCheck.h"

#include "insert/TextInserter.h"
#include "shell/JobError.h"
#include "shell/QuietHost.h"
#include "shell/Values.h"

namespace morvane {

std::vector<std::string> CheckScript(const std::string& script, const std::string& rom,
                                     const StandardTable& table, const CharTable* classic,
                                     const std::vector<ScriptPhrase>& phrases) {
  std::vector<std::string> notes;
  for (const ScriptPhrase& p : phrases) {
    if (p.exact) continue;
    notes.push_back("Phrase " + PhraseHex(p.numbers.front()) +
                    " has no rows that insert back to the same bytes.");
  }
  const CharTable view = classic != nullptr ? *classic : table.oneByteView();
  const EncodingList list(view);
  std::string copy = rom;
  std::size_t written = 0;
  std::string step;
  QuietHost quiet;
  try {
    TextLines lines(script);
    const ScriptHeader header = ReadScriptHeader(lines);
    TextInserter inserter(quiet, step, header, view, list, lines, copy, written);
    if (classic == nullptr) inserter.useStandardTable(&table);
    inserter.run();
  } catch (const JobError& e) {
    notes.push_back("Inserting this script unchanged fails: " +
                    (e.kind() == JobError::Kind::Minor ? e.message() : step) + ".");
    return notes;
  }
  std::size_t changed = 0;
  std::size_t firstChange = 0;
  for (std::size_t i = rom.size(); i-- > 0;) {
    if (copy[i] == rom[i]) continue;
    ++changed;
    firstChange = i;
  }
  if (changed > 0) {
    notes.push_back("Inserting this script unchanged would change " + std::to_string(changed) +
                    " bytes, the first at file offset " +
                    Hex(static_cast<std::int64_t>(firstChange)) +
                    "h: its phrases do not lie one after another in the order of their pointers.");
  }
  return notes;
}

}  // namespace morvane
