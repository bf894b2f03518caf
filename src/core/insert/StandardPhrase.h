// Encoding the translated rows of one phrase through a table in the standard
// form: each row the shortest byte string the table allows, a new line between
// rows unless a row ends with the new-line text, the end of phrase after the
// last row unless a row ends with the end text.
#pragma once

#include <string>
#include <vector>

#include "script/ScriptHeader.h"
#include "tables/StandardTable.h"

namespace morvane {

// The width a row takes on screen: one per character (its glyph width with a
// variable-width font); control texts, labels and raw bytes take none.
int RowWidth(const std::vector<RowToken>& tokens, const StandardTable& table, bool vwf);

// The bytes of a phrase's rows (none when rows is empty), checked against the
// header's row count and width; hex names the phrase in the messages of the
// rows the user must fix (JobError::Minor titled "Error during Insert").
// widest, when given, grows to the width of the widest row.
std::string EncodeStandardPhrase(const std::vector<std::string>& rows, const ScriptHeader& header,
                                 const StandardTable& table, const std::string& hex,
                                 int* widest = nullptr);

}  // namespace morvane
