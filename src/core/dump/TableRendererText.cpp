// Text tables: bytes read through the character table, gathered into lines
// and phrases with their phrase headings.
#include "dump/CodeDump.h"
#include "dump/TableRenderer.h"
#include "shell/Values.h"

namespace morvane {

namespace {
std::string PhraseHeading(int phraseNo, int height, int rowInGroup) {
  std::string heading = ";----\r\n;Phrase " + Hex(phraseNo);
  if (height > 1) heading += "." + Hex(rowInGroup);
  return heading + "\r\n;----";
}
}  // namespace

void TableRenderer::textRow(std::int32_t a, std::uint8_t b) {
  TableCursor& c = d_.cursor;
  static const CharTable kNoTable{};
  const CharTable& t = d_.charTable != nullptr ? *d_.charTable : kNoTable;
  if (a == c.tStart && c.height > 0) {
    c.heading = PhraseHeading(c.phraseNo, c.height, 0) + kLineEnd;
  }
  if (c.skip1stLeft >= 0 || c.skipCount != 0) {
    c.rowText = HexByte(b);
  } else {
    const bool lineEnd = b == t.newLineByte || b == t.endPhraseByte ||
                         (b == t.endPhrase2Byte && !c.prevWasEnd) || a >= c.tEnd;
    if (!lineEnd) {
      if (b == t.endPhrase2Byte) {
        c.rowText = t.endPhrase2Text;
      } else {
        c.lineText += t.text[b];
        if (c.width > 0) {
          c.rowText = c.lineText;
          c.lineText.clear();
        } else {
          c.rowText.clear();
        }
      }
    } else {
      c.rowText = c.lineText;
      c.lineText.clear();
      if (b == t.endPhrase2Byte) {
        c.rowText += "\r\n\t\t\t\t;" + t.endPhrase2Text;
      } else if (b != t.newLineByte && b != t.endPhraseByte) {
        c.rowText += t.text[b];
      }
      if (a != c.tEnd) c.rowText += kLineEnd;
      if (b != t.newLineByte && a != c.tEnd) {
        c.atEntryStart = true;
        if (c.height > 0) {
          if (c.rowInGroup >= c.height) {
            c.rowInGroup = 0;
            ++c.phraseNo;
          }
          c.rowText += PhraseHeading(c.phraseNo, c.height, c.rowInGroup);
        }
      }
      if (b != t.newLineByte || c.height > 0) d_.marks.set(a + 1, kAddressMark);
    }
  }
  c.prevWasEnd = b == t.endPhraseByte;
}

}  // namespace morvane
