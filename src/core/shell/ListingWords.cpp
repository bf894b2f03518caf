#include "shell/ListingWords.h"

#include "shell/Values.h"

namespace morvane {

std::string ByteLine(std::uint8_t value, bool flag) {
  return std::string("\t\t") + kByteDirective + HexByte(value) + "\t;" + TabIf(flag);
}

}  // namespace morvane
