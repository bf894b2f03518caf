#include "dump/ReferenceListings.h"

#include <functional>

#include "dump/CodeDump.h"
#include "shell/OutFile.h"
#include "shell/Values.h"

namespace morvane {

namespace {

using RowOf = std::function<std::string(std::int32_t)>;

void Listing(OutFile& out, const char* heading, const CodeDump& d,
             const std::vector<std::int32_t>& marked, CodeMark mark, bool outside,
             const RowOf& row) {
  out.line(heading);
  out.line(";");
  for (const std::int32_t a : marked) {
    const bool inside = a >= d.dumpStart && a <= d.dumpEnd;
    const bool listed = outside ? !inside && a <= 0xFFFF : inside;
    if (listed && d.marks.has(a, mark)) {
      out.line(row(a));
    }
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
    return Named(n, d.readName(n), kTableLabelPrefix + LowerCase(Hex(n)));
  };
  const RowOf writeTable = [&](std::int32_t n) {
    return Named(n, d.writeName(n), kTableLabelPrefix + LowerCase(Hex(n)));
  };
  const RowOf readVar = [&](std::int32_t n) {
    return Named(n, d.readName(n), kVariableLabelPrefix + Hex(n));
  };
  const RowOf writeVar = [&](std::int32_t n) {
    return Named(n, d.writeName(n), kVariableLabelPrefix + Hex(n));
  };
  const std::vector<std::int32_t> marked =
      d.marks.marked(kCodeLabel | kTableLabel | kWriteTableRef | kReadVarRef | kWriteVarRef);
  Listing(out, ";External Code References", d, marked, kCodeLabel, true, code);
  Listing(out, ";External Read Table References", d, marked, kTableLabel, true, readTable);
  Listing(out, ";External Write Table References", d, marked, kWriteTableRef, true, writeTable);
  Listing(out, ";External Read Variable References", d, marked, kReadVarRef, true, readVar);
  Listing(out, ";External Write Variable References", d, marked, kWriteVarRef, true, writeVar);
  Listing(out, ";Internal Read Variable References", d, marked, kReadVarRef, false, readVar);
  Listing(out, ";Internal Write Variable References", d, marked, kWriteVarRef, false, writeVar);
}

}  // namespace morvane
