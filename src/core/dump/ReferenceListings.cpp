#include "dump/ReferenceListings.h"

#include <algorithm>
#include <functional>

#include "dump/CodeDump.h"
#include "shell/OutFile.h"
#include "shell/Values.h"

namespace morvane {

namespace {

using RowOf = std::function<std::string(std::int32_t)>;

void Listing(OutFile& out, const char* heading, const CodeDump& d, CodeMark mark, bool outside,
             const RowOf& row) {
  out.line(heading);
  out.line(";");
  auto scan = [&](std::int32_t from, std::int32_t to) {
    from = std::max(from, 0);
    to = std::min(to, CodeMarks::kSlots - 1);
    for (std::int32_t a = from; a <= to && (a = d.marks.next(a, to, mark)) != -1; ++a) {
      out.line(row(a));
    }
  };
  if (outside) {
    scan(0, d.dumpStart - 1);
    scan(d.dumpEnd + 1, 0xFFFF);
  } else {
    scan(d.dumpStart, d.dumpEnd);
  }
  out.line(kRuleLine);
}

std::string Named(std::int32_t n, const std::string& name, const std::string& label) {
  return ";" + PadHex(n, 4, " ") + " = " + (name.empty() ? label : name);
}

}  // namespace

void WriteReferenceListings(OutFile& out, const CodeDump& d) {
  const RowOf code = [](std::int32_t n) { return ";lbl_" + LowerCase(HexWord(n)); };
  const RowOf readTable = [&](std::int32_t n) {
    return Named(n, d.readName(n), "tbl_" + LowerCase(Hex(n)));
  };
  const RowOf writeTable = [&](std::int32_t n) {
    return Named(n, d.writeName(n), "tbl_" + LowerCase(Hex(n)));
  };
  const RowOf readVar = [&](std::int32_t n) { return Named(n, d.readName(n), "vbl_" + Hex(n)); };
  const RowOf writeVar = [&](std::int32_t n) { return Named(n, d.writeName(n), "vbl_" + Hex(n)); };
  Listing(out, ";External Code References", d, kCodeLabel, true, code);
  Listing(out, ";External Read Table References", d, kTableLabel, true, readTable);
  Listing(out, ";External Write Table References", d, kWriteTableRef, true, writeTable);
  Listing(out, ";External Read Variable References", d, kReadVarRef, true, readVar);
  Listing(out, ";External Write Variable References", d, kWriteVarRef, true, writeVar);
  Listing(out, ";Internal Read Variable References", d, kReadVarRef, false, readVar);
  Listing(out, ";Internal Write Variable References", d, kWriteVarRef, false, writeVar);
}

}  // namespace morvane
