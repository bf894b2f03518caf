// The table being written inside an 8-bit Code dump and its row counters.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct TableCursor {
  std::int32_t tStart = 0;
  std::int32_t tEnd = 0;
  int width = 0;
  int height = 0;
  int skip = 0;
  int addrOS = 0;
  int indexOS = 0;
  std::int32_t split = -1;
  int skip1stLeft = 0;
  int options = 0;
  int rowPos = -1;
  int rowInGroup = 0;
  int skipCount = 0;
  int index = 0;
  bool atEntryStart = true;
  std::string rowText;
  int phraseNo = 0;
  std::string lineText;
  bool prevWasEnd = false;
  // Where the table header ends in the line buffer of the table's first byte.
  std::size_t headerEnd = 0;
  // What the byte being read makes of the text: the line ends before its
  // label, whether its row is done, and a text table's first phrase heading.
  std::string breaks;
  bool rowDone = false;
  std::string heading;

  bool is(int option) const { return (options & option) != 0; }
};

// The size part of a table header ("3 x 2", "1 + 110", ...) from its attributes.
std::string TableSizeText(std::int32_t length, int width, int height, int skip1st, int skip,
                          bool text);

}  // namespace morvane
