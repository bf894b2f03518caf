// The label column of a Code dump line: the label an address earned, or tabs.
#include "dump/CodeDump.h"
#include "dump/ListingWriter.h"
#include "shell/Values.h"

namespace morvane {

void AppendLabel(CodeDump& d, std::int32_t a, std::string& line) {
  const CodeMarks& m = d.marks;
  const bool inTable = d.insideTable;
  const auto u = static_cast<std::uint32_t>(a);
  if (m.has(a, kCodeLabel)) {
    std::string label = kCodeLabelPrefix;
    AppendHex(label, u, 4, true);
    line += d.labelFor(a, label);
    line += ':';
  } else if (m.has(a, kTableLabel)) {
    if (!inTable) {
      const std::string& name = d.readName(a);
      line += kRuleLine;
      line += "\r\n; Found Table ";
      if (!name.empty()) line += name + ": ";
      AppendHex(line, u, 4);
      line += kLineEnd;
      line += kRuleLine;
      line += kLineEnd;
    }
    std::string label = kTableLabelPrefix;
    AppendHex(label, u, 0, true);
    line += d.labelFor(a, label);
    line += ':';
  } else if (const std::string* given = d.givenName(a)) {
    line += *given;
    line += ':';
  } else if (m.has(a, kReadVarRef)) {
    const std::string& name = d.readName(a);
    if (name.empty()) {
      line += kVariableLabelPrefix;
      AppendHex(line, u, 0);
    } else {
      line += name;
    }
    line += ':';
  } else if (m.has(a, kBlockStart) || (inTable && a == d.cursor.tStart)) {
    line += '_';
    AppendHex(line, u, 4, true);
    line += ':';
  } else if (m.has(a, kAddressMark) || (inTable && !d.cursor.is(kTableTxt) && a % 16 == 0)) {
    AppendHex(line, u, 4);
    line += ":\t";
  } else {
    line += '\t';
  }
  line += '\t';
}

}  // namespace morvane
