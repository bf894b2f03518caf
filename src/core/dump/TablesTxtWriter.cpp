// Tables.txt: a starting Table List from the tables and bad runs that the
// code finding met, for the user to correct and feed back with w/Tables.
#include "dump/CodeDump.h"
#include "dump/ReferenceListings.h"
#include "shell/Values.h"

namespace morvane {

std::string TablesTxtText(const CodeDump& d, bool rawRows) {
  std::string text =
      "Start\tEnd\tWidth\tHeight\tSkip1st\tSkip\tAddrOS\tIndexOS\tOptions\tTitle\r\n";
  std::string row;
  bool open = false;
  bool raw = false;
  for (std::int64_t n = d.dumpStart; n <= d.dumpEnd; ++n) {
    const auto k = static_cast<std::int32_t>(n);
    const bool table = d.marks.has(k, kTableLabel);
    const bool code = d.marks.has(k, kCodeLabel) || k == d.firstGood;
    if (open && (table || code)) {
      if (code) row += LowerCase(HexWord(k - 1));
      if (raw) row = UpperCase(row) + "\t\t\t\t\t\t\t\t\tRaw";
      text += row + "\r\n";
      open = false;
    }
    if (table) {
      row = LowerCase(HexWord(k)) + "\t";
      open = true;
      raw = false;
    } else if (d.marks.has(k, kBadRunStart) && rawRows && !open) {
      row = HexWord(k) + "\t";
      open = true;
      raw = true;
    }
  }
  if (open) text += row + (raw ? HexWord(d.dumpEnd) : LowerCase(HexWord(d.dumpEnd))) + "\r\n";
  return text;
}

}  // namespace morvane
