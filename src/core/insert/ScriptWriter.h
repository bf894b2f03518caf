// Writing the script of a script dump: the header on top, notes, and one
// entry per phrase with its text as the rows to translate.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "insert/PhraseEncoder.h"
#include "insert/PointerList.h"
#include "insert/ScriptRows.h"

namespace morvane {

inline constexpr int kMaxScriptPhrase = kMaxPhraseBytes;

struct ScriptPhrase {
  std::int64_t offset = 0;   // file offset of its first byte
  std::size_t length = 0;    // its bytes, the end of phrase included
  std::vector<int> numbers;  // its own number first, then those that share it
  std::vector<std::string> rows;
  bool exact = false;  // the rows insert back to the same bytes
  int columns = 0;     // the width of its widest row
};

struct ScriptFile {
  std::string path;  // the script to write
  std::string rom;
  std::string table;
  bool standard = false;
  std::int32_t origin = 0;
  std::optional<PointerList> pointers;  // none: the phrases lie one after another
  std::vector<ScriptPhrase> phrases;    // in the order they are inserted
};

// Writes the script to file.path and returns its text.
std::string WriteScript(const ScriptFile& file);

}  // namespace morvane
