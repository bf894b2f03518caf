// Reading inserted phrases back: the bytes at each phrase's place read
// through the table, compared with the rows of its entry in the script.
#pragma once

#include <string>
#include <vector>

#include "insert/TextInserter.h"
#include "shell/InFile.h"
#include "tables/StandardTable.h"

namespace morvane {

// One message for each placed phrase that does not read back as its rows.
// script is read from its start; lengthByte skips the byte a Length-mode
// phrase starts with.
std::vector<std::string> ReadBackFailures(const std::string& image,
                                          const std::vector<TextInserter::Placed>& placed,
                                          TextLines script, const StandardTable& table,
                                          bool lengthByte);

}  // namespace morvane
