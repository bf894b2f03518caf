// Opening a table and counting its rows, groups and skipped bytes.
#include <cstdio>

#include "dump/CodeDump.h"
#include "dump/TableRenderer.h"
#include "shell/Values.h"

namespace morvane {

namespace {
// A quotient as the header shows it: whole, or with its fractional digits.
std::string Quotient(long long num, long long den) {
  if (num % den == 0) return std::to_string(num / den);
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", static_cast<double>(num) / static_cast<double>(den));
  return text;
}

std::string Num(long long v) {
  return std::to_string(v);
}
}  // namespace

std::string TableSizeText(std::int32_t length, int width, int height, int skip1st, int skip,
                          bool text) {
  const long long total = static_cast<long long>(length) - skip1st;
  std::string size = skip1st > 0 ? Num(skip1st) + " + " : "";
  const long long w = width, h = height, s = skip;
  if ((w <= 1 && h <= 1 && s == 0) || text) {
    size += Num(total);
  } else if (w > 1 && h > 1) {
    size += Quotient(total, w * h + s) + " x (" + Num(w) + " x " + Num(h) +
            (s >= 1 ? " + " + Num(s) : "") + ")";
  } else if (w < 2 && h > 1) {
    size +=
        Quotient(total, h + s) + (s >= 1 ? " x (" + Num(h) + " + " + Num(s) + ")" : " x " + Num(h));
  } else if (w > 1 && h <= 1) {
    size +=
        Quotient(total, w + s) + (s >= 1 ? " x (" + Num(w) + " + " + Num(s) + ")" : " x " + Num(w));
  } else {
    const long long one = std::min(w + h, 1LL);
    size += Quotient(total, one + s) + " x " + Num(one + s);
  }
  return size;
}

void TableRenderer::open(std::int32_t a, std::string& line) {
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

  line += kRuleLine;
  line += "\r\n";
  line += d_.marks.note(a);
  const std::string& title = d_.readName(a);
  line += "; Table " + (title.empty() ? "" : title + ": ") + HexWord(a) + " thru " +
          HexWord(c.tEnd) + "\r\n";
  line +=
      "; " + TableSizeText(c.tEnd - a + 1, c.width, c.height, e.Skip1st, c.skip, c.is(kTableTxt));
  line += " bytes";
  if (c.is(kTablePatr)) line += " (MSb on Right)";
  line += "\r\n";
  line += kRuleLine;
  line += "\r\n";
  c.headerEnd = line.size();
}

void TableRenderer::count(std::int32_t a, std::uint8_t b, std::string& line) {
  TableCursor& c = d_.cursor;
  const bool txt = c.is(kTableTxt);
  if (c.skip1stLeft >= 0) {
    if (c.skip1stLeft == 0 && a != c.tStart) line += "\r\n";
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
        if (c.height > 1 || c.width > 1) line += "\r\n";
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
        if (c.phraseNo != c.indexOS) line += "\r\n";
      }
    } else if (!txt) {
      c.rowPos = c.width;
      c.rowInGroup = c.height;
      c.rowText = HexByte(b);
    }
  }
}

}  // namespace morvane
