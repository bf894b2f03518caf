// The check a script dump makes of its own script: inserted unchanged into
// the ROM it came from, it must give the same ROM back.
#pragma once

#include <string>
#include <vector>

#include "insert/ScriptWriter.h"
#include "tables/CharTable.h"
#include "tables/StandardTable.h"

namespace morvane {

// Notes on what would not go back unchanged: none when inserting script into
// rom gives rom again. classic is the table in the classic form, or nullptr.
std::vector<std::string> CheckScript(const std::string& script, const std::string& rom,
                                     const StandardTable& table, const CharTable* classic,
                                     const std::vector<ScriptPhrase>& phrases);

}  // namespace morvane
