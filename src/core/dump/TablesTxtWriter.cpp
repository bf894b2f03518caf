// Tables.txt: a starting Table List from the tables and bad runs that the
// code finding met, for the user to correct and feed back with w/Tables; a
// table a label file names is titled with its name.
#include "dump/CodeDump.h"
#include "dump/ReferenceListings.h"
#include "dump/TableList.h"
#include "shell/Values.h"

namespace morvane {

std::string TablesTxtText(const CodeDump& d, bool rawRows) {
  std::string text = kTableListHeader;
  std::string start;  // of the open row
  std::string title;  // of the open row: a label file's name of its start
  bool open = false;
  bool raw = false;
  for (std::int64_t n = d.dumpStart; n <= d.dumpEnd; ++n) {
    const auto k = static_cast<std::int32_t>(n);
    const bool table = d.marks.has(k, kTableLabel);
    const bool code = d.marks.has(k, kCodeLabel) || k == d.firstGood;
    if (open && (table || code)) {
      // A row that a table closes has no End. A raw row's addresses are upper
      // case, and the word Raw comes after the Title field.
      const std::string end = !code ? "" : raw ? HexWord(k - 1) : TableListAddress(k - 1);
      text += raw             ? TableListLine({start, end, "", "", "", "", "", "", "", "", "Raw"})
              : title.empty() ? TableListLine({start, end})
                              : TableListLine({start, end, "", "", "", "", "", "", "", title});
      open = false;
    }
    if (table) {
      start = TableListAddress(k);
      const std::string* given = d.givenName(k);
      title = given != nullptr ? *given : "";
      open = true;
      raw = false;
    } else if (d.marks.has(k, kBadRunStart) && rawRows && !open) {
      start = HexWord(k);
      open = true;
      raw = true;
    }
  }
  if (open) {
    const std::string end = raw ? HexWord(d.dumpEnd) : TableListAddress(d.dumpEnd);
    text += raw || title.empty() ? TableListLine({start, end})
                                 : TableListLine({start, end, "", "", "", "", "", "", "", title});
  }
  return text;
}

}  // namespace morvane
