#include "dump/TableList.h"

#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

std::string TableListLine(std::initializer_list<std::string_view> fields) {
  std::string line;
  bool first = true;
  for (const std::string_view field : fields) {
    if (!first) line += '\t';
    line += field;
    first = false;
  }
  return line + kLineEnd;
}

std::string TableListAddress(std::int64_t address) {
  return LowerCase(HexWord(address));
}

}  // namespace morvane
