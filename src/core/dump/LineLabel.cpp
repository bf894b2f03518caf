#include "dump/CodeDump.h"
#include "dump/Disassembler.h"
#include "shell/Values.h"

namespace morvane {

void AppendLabel(const CodeDump& d, std::int32_t a, std::string& line) {
  const CodeMarks& m = d.marks;
  const bool inTable = d.insideTable;
  if (m.has(a, kCodeLabel)) {
    line += "lbl_" + LowerCase(HexWord(a)) + ":";
  } else if (m.has(a, kTableLabel)) {
    if (!inTable) {
      const std::string& name = d.readName(a);
      line += std::string(kRuleLine) + "\r\n; Found Table " + (name.empty() ? "" : name + ": ") +
              HexWord(a) + "\r\n" + kRuleLine + "\r\n";
    }
    line += "tbl_" + LowerCase(Hex(a)) + ":";
  } else if (m.has(a, kReadVarRef)) {
    const std::string& name = d.readName(a);
    line += (name.empty() ? "vbl_" + Hex(a) : name) + ":";
  } else if (m.has(a, kBlockStart) || (inTable && a == d.cursor.tStart)) {
    line += "_" + LowerCase(HexWord(a)) + ":";
  } else if (m.has(a, kAddressMark) || (inTable && !d.cursor.is(kTableTxt) && a % 16 == 0)) {
    line += HexWord(a) + ":\t";
  } else {
    line += "\t";
  }
  line += "\t";
}

}  // namespace morvane
