// A table inside an 8-bit Code dump: opening it, the row, group and skip
// counters of each byte, its end; its header and each byte's ".byte" text.
#include "dump/TableRenderer.h"

#include <string_view>

#include "dump/CodeDump.h"
#include "dump/CommentNames.h"
#include "shell/Values.h"

namespace morvane {

void TableRenderer::open(std::int32_t a) {
  TableCursor& c = d_.cursor;
  const TableListEntry& e = d_.tables[static_cast<std::size_t>(a)];
  c = TableCursor{};
  c.tStart = a;
  c.width = e.Width;
  c.height = e.Height;
  c.skip = e.Skip;
  c.addrOS = e.AddrOS;
  c.indexOS = e.IndexOS;
  c.split = e.SplitPartner;
  c.skip1stLeft = e.Skip1st;
  c.options = e.Options;
  // Without a Table Start or End bit before the dump's End the table ends there.
  c.tEnd = d_.dumpEnd;
  if (e.Options & kTableEnd) {
    c.tEnd = a;
  } else {
    for (std::int32_t k = a + 1; k <= d_.dumpEnd; ++k) {
      const int o = d_.optionsAt(k);
      if (o & kTableStart) {
        c.tEnd = k - 1;
        break;
      }
      if (o & kTableEnd) {
        c.tEnd = k;
        break;
      }
    }
  }
  if (c.tEnd < a) c.tEnd = a;

  c.rowPos = -1;
  if (c.width != 0) {
    c.rowInGroup = 0;
    c.index = 0;
    c.skipCount = 0;
  } else {
    if (c.height < 2) {
      c.rowInGroup = 0;
      c.index = -1;
    } else {
      c.rowInGroup = -1;
      c.index = 0;
    }
    c.skipCount = c.skip;
  }
  if (c.is(kTableTxt)) {
    c.rowPos = 0;
    c.rowInGroup = 0;
    c.skipCount = 0;
  }
  c.index += c.indexOS;
  c.phraseNo = c.indexOS;
}

void TableRenderer::header(std::int32_t a, std::string& line) {
  TableCursor& c = d_.cursor;
  const TableListEntry& e = d_.tables[static_cast<std::size_t>(a)];
  line += kRuleLine;
  line += kLineEnd;
  line += d_.marks.note(a);
  const std::string& title = d_.readName(a);
  line += "; Table " + (title.empty() ? "" : title + ": ") + HexWord(a) + " thru " +
          HexWord(c.tEnd) + kLineEnd;
  line +=
      "; " + TableSizeText(c.tEnd - a + 1, c.width, c.height, e.Skip1st, c.skip, c.is(kTableTxt));
  line += " bytes";
  if (c.is(kTablePatr)) line += " (MSb on Right)";
  line += kLineEnd;
  line += kRuleLine;
  line += kLineEnd;
  c.headerEnd = line.size();
}

void TableRenderer::count(std::int32_t a, std::uint8_t b) {
  TableCursor& c = d_.cursor;
  c.breaks.clear();
  const bool txt = c.is(kTableTxt);
  if (c.skip1stLeft >= 0) {
    if (c.skip1stLeft == 0 && a != c.tStart) c.breaks += kLineEnd;
    --c.skip1stLeft;
  }
  if (c.skip1stLeft >= 0) return;

  if (++c.rowPos < c.width) {
    if (c.is(kTableR)) {
      std::string hex;
      AppendHex(hex, b, 2);
      c.rowText.insert(0, hex);
    } else {
      AppendHex(c.rowText, b, 2);
    }
    return;
  }
  c.rowPos = 0;
  if (c.width > 0) {
    c.rowText.clear();
    AppendHex(c.rowText, b, 2);
  }
  if (c.height > 0) {
    if (!txt || (c.atEntryStart && c.skipCount == 0)) ++c.rowInGroup;
    if (c.skip == 0 || (c.skipCount == 0 && c.rowInGroup > 1)) c.atEntryStart = false;
    if (!txt && c.rowInGroup >= c.height) {
      c.rowInGroup = 0;
      if (c.skipCount >= c.skip) {
        if (c.height > 1 || c.width > 1) c.breaks += kLineEnd;
        ++c.index;
      }
    }
  }
  if ((c.rowInGroup == 0 && !txt) || (txt && c.atEntryStart && c.rowInGroup == 1)) {
    ++c.skipCount;
    if (c.skipCount > c.skip || (txt && c.phraseNo == c.indexOS)) {
      c.skipCount = 0;
      if (c.atEntryStart) {
        c.atEntryStart = false;
        if (c.phraseNo != c.indexOS) c.breaks += kLineEnd;
      }
    } else if (!txt) {
      c.rowPos = c.width;
      c.rowInGroup = c.height;
      c.rowText = HexByte(b);
    }
  }
}

void TableRenderer::breaks(std::string& line) const {
  line += d_.cursor.breaks;
}

void TableRenderer::advance(std::int32_t a, std::uint8_t b) {
  TableCursor& c = d_.cursor;
  c.rowDone = c.rowPos == c.width - 1 || c.is(kTableTxt);
  if (c.rowDone) renderRow(a, b);
  if (a >= c.tEnd) {
    if (!d_.tableStartsAt(a + 1)) d_.marks.set(a + 1, kBlockStart);
    d_.insideTable = false;
  }
}

void TableRenderer::append(std::int32_t a, std::uint8_t b, std::string& line) const {
  const TableCursor& c = d_.cursor;
  // The directive and the byte (one digit behind a space below 10h) in one
  // piece: every byte of a table passes here.
  constexpr std::string_view directive = kByteDirective;
  constexpr char digits[] = "0123456789ABCDEF";
  const std::size_t at = line.size();
  line.resize(at + directive.size() + 4);
  char* text = line.data() + at;
  directive.copy(text, directive.size());
  text[directive.size()] = b < 0x10 ? ' ' : digits[b >> 4];
  text[directive.size() + 1] = digits[b & 0xF];
  text[directive.size() + 2] = '\t';
  text[directive.size() + 3] = ';';
  if (c.rowDone) {
    if (c.is(kTableTxt) && a == c.tStart && c.height > 0) line.insert(c.headerEnd, c.heading);
    line += c.rowText;
  }
  if (c.height > 0 && c.rowPos == 0 && c.rowInGroup == 0 && !c.is(kTableTxt)) {
    if (line.back() != ';') line += " ";
    line += HexUnsignedByte(c.index);
  }
  if (const std::string* given = d_.givenComment(a)) {
    line += line.back() == ';' ? " " : " ; ";
    AppendGivenComment(line, *given);
  }
  if (a >= c.tEnd && !d_.tableStartsAt(a + 1)) {
    line += kLineEnd;
    line += kRuleLine;
  }
}

}  // namespace morvane
