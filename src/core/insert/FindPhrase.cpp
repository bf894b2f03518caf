#include "insert/FindPhrase.h"

#include "script/ScriptHeader.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// True when line is the header line of the phrase printed as hex; shared
// receives the further numbers of a comma-separated list.
bool IsEntryOf(const std::string& line, const std::string& hex, std::vector<std::int32_t>& shared) {
  const auto colon = line.find(':');
  if (colon == std::string::npos) return false;
  const std::string key = UpperCase(line.substr(0, colon));
  if (key == hex) return true;
  auto comma = key.find(',');
  if (comma == std::string::npos || key.compare(0, comma, hex) != 0) return false;
  while (comma != std::string::npos) {
    const auto next = key.find(',', comma + 1);
    shared.push_back(HexToLong(key.substr(comma + 1, next - comma - 1)));
    comma = next;
  }
  return true;
}

}  // namespace

FoundPhrase FindPhrase(TextLines& file, std::int64_t phrase, std::string& step) {
  const std::string hex = PhraseHex(phrase);
  step = "Ignore all UTF Rows until iPhraseNumber = " + hex + "h";
  FoundPhrase found;
  std::string line;
  do {
    if (!file.next(line)) {
      throw JobError(
          kErrPastEnd, {},
          file.endedText() + " without an entry for phrase " + hex + "h (\"" + hex + ":\").");
    }
  } while (!IsEntryOf(line, hex, found.shared));

  step = "Read Japanese rows of iPhraseNumber = " + hex + "h";
  // The line after the header line is source text whatever it holds; further
  // source rows begin with a byte of 80h or more. A script that ends here
  // leaves the phrase without translated rows.
  if (!file.next(line)) return found;
  if (line.empty()) {
    file.next(line);
  } else {
    while (file.next(line) && !line.empty() && static_cast<unsigned char>(line[0]) >= 0x80) {
    }
  }
  found.firstRow = line;
  return found;
}

bool NextTranslatedRow(TextLines& file, std::string& row) {
  return file.next(row) && !row.empty();
}

}  // namespace morvane
