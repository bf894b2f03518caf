// The text of a table's rows: rows of hex, addresses that label sub-tables,
// bit patterns and characters.
#include <cstdlib>

#include "dump/CodeDump.h"
#include "dump/DumpContext.h"
#include "dump/TableRenderer.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

std::int32_t TableRenderer::partnerByte(std::int32_t a) const {
  const TableCursor& c = d_.cursor;
  const std::int32_t at = a + c.split - c.tStart;
  if (at < 0 || at > 0xFFFF) throw JobError(kErrSubscript);
  return d_.marks.rom(at);
}

// A row of a table of addresses: the address it holds labels a sub-table or code.
void TableRenderer::addressRow(std::int32_t a) {
  TableCursor& c = d_.cursor;
  std::int64_t value = HexToLong(c.rowText);
  if (c.split > 0) {
    const std::int64_t p = partnerByte(a);
    value = c.is(kTableR) ? value * 256 + p : p * 256 + value;
  }
  value += c.addrOS;
  if (value < 0 || value > 0xFFFF) {
    throw JobError::Minor(kDumpErrorTitle,
                          "Because of the Address Offset of " + HexSigned(c.addrOS) +
                              " the |sub table address| of " + Hex(std::llabs(value)) +
                              "\r\nis out of bounds at address " + Hex(a) + ".");
  }
  const auto target = static_cast<std::int32_t>(value);
  if (d_.pass == 0) {
    std::string note;
    const std::string& parentNote = d_.marks.note(c.tStart);
    if (!parentNote.empty()) {
      note = parentNote.substr(0, parentNote.size() - 2) + "->";
    } else {
      note = "; Table ";
    }
    const std::string& parent = d_.readName(c.tStart);
    note += (parent.empty() ? Hex(c.tStart) : parent) + "[" + HexUnsignedByte(c.index) + "]";
    if (c.height > 1) note += "," + std::to_string(c.rowInGroup);
    d_.marks.appendNote(target, note + kLineEnd);
  }
  if (c.is(kTableTbl)) {
    d_.marks.set(target, kTableLabel);
    d_.tables[static_cast<std::size_t>(target)].Options |= kTableStart;
    c.rowText = d_.labelFor(target, kTableLabelPrefix + LowerCase(Hex(target)));
  } else {
    d_.marks.set(target, kCodeLabel);
    c.rowText = d_.labelFor(target, kCodeLabelPrefix + LowerCase(Hex(target)));
  }
}

void TableRenderer::renderRow(std::int32_t a, std::uint8_t b) {
  TableCursor& c = d_.cursor;
  if (c.is(kTableTbl) || c.is(kTableLbl)) {
    addressRow(a);
  } else if (c.is(kTableTxt)) {
    textRow(a, b);
  } else if (c.width == 1 && c.split > 0) {
    const std::string p = HexByte(partnerByte(a));
    c.rowText = c.is(kTableR) ? c.rowText + p : p + c.rowText;
  }
  if (c.is(kTablePat) || c.is(kTablePatr)) {
    const TableListEntry& e = d_.tables[static_cast<std::size_t>(c.tStart)];
    const BitChars chars{std::string(1, e.OffChar), std::string(1, e.OnChar)};
    c.rowText = BitsToChars(c.rowText, chars, c.is(kTablePat));
  } else if (c.is(kTableChr)) {
    std::string text;
    for (std::size_t i = 0; i + 1 < c.rowText.size(); i += 2) {
      const auto v = static_cast<std::size_t>(HexToLong(c.rowText.substr(i, 2)));
      if (d_.charTable != nullptr) text += d_.charTable->text[v];
    }
    c.rowText = text;
  } else if (!c.is(kTableTbl | kTableLbl | kTableTxt) && c.addrOS != 0 && c.width > 0) {
    c.rowText = Hex(static_cast<std::int64_t>(HexToLong(c.rowText)) + c.addrOS);
  }
}

}  // namespace morvane
