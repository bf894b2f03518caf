#include "export/Ca65Writer.h"

#include "export/Ca65Layout.h"
#include "export/Ca65Lines.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// A comment's line breaks as spaces: the source keeps it on its line.
std::string OneLine(std::string text) {
  for (char& c : text) c = c == '\n' || c == '\r' ? ' ' : c;
  return text;
}

void Line(std::string& out, const std::string& text) {
  out += text;
  out += kLineEnd;
}

// Bytes as they are, sixteen a line.
void RawBytes(std::string& out, const Disassembly& d, std::int64_t offset, std::int64_t size) {
  for (std::int64_t at = offset; at < offset + size; at += 16) {
    std::string row = "\t.byte ";
    for (std::int64_t k = at; k < std::min(at + 16, offset + size); ++k) {
      if (k > at) row += ",";
      row += "$" + HexByte(static_cast<std::uint8_t>(d.rom[static_cast<std::size_t>(k)]));
    }
    Line(out, row);
  }
}

}  // namespace

std::string Ca65Source(const Disassembly& d, const std::string& stem) {
  std::string out;
  Line(out, "; " + stem + ".s: the whole ROM as ca65 source, written by Morvane.");
  Line(out, "; Rebuild the ROM, byte for byte, with:");
  Line(out, ";   ca65 " + stem + ".s");
  Line(out, ";   ld65 -C " + stem + ".cfg " + stem + ".o -o rebuilt.nes");
  for (const std::string& note : d.notes) Line(out, "; Note: " + note);
  Line(out, "");
  for (const auto& [a, name] : d.ramNames) {
    const auto comment = d.ramComments.find(a);
    Line(out, name + " = $" + (a < 0x100 ? HexByte(a) : HexWord(a)) +
                  (comment == d.ramComments.end() ? "" : "\t; " + OneLine(comment->second)));
  }
  if (!d.ramNames.empty()) Line(out, "");
  for (const FilePart& part : FileParts(d)) {
    Line(out, ".segment \"" + part.name + "\"");
    if (part.chr) {
      Line(out, "\t.incbin \"" + stem + ".chr\"");
    } else if (part.unit >= 0) {
      UnitLines(out, d, part.unit);
    } else {
      RawBytes(out, d, part.offset, part.size);
    }
    Line(out, "");
  }
  return out;
}

std::string Ld65Config(const Disassembly& d) {
  std::string out;
  const std::vector<FilePart> parts = FileParts(d);
  Line(out, "# The ROM's parts in file order; build with ld65 -C and this file.");
  Line(out, "MEMORY {");
  for (const FilePart& p : parts) {
    Line(out, "  " + p.name + ": start = $" + HexWord(p.start) + ", size = $" + Hex(p.size) +
                  ", type = ro, file = %O, fill = yes;");
  }
  Line(out, "}");
  Line(out, "SEGMENTS {");
  for (const FilePart& p : parts) Line(out, "  " + p.name + ": load = " + p.name + ", type = ro;");
  Line(out, "}");
  return out;
}

std::string ChrBytes(const Disassembly& d) {
  for (const FilePart& p : FileParts(d)) {
    if (p.chr) {
      return d.rom.substr(static_cast<std::size_t>(p.offset), static_cast<std::size_t>(p.size));
    }
  }
  return {};
}

}  // namespace morvane
