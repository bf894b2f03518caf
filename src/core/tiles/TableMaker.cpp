#include "tiles/TableMaker.h"

#include "shell/OutFile.h"
#include "shell/Values.h"

namespace morvane {

TableMaker::TableMaker(const CharTable& table) : table_(table) {
  reparse();
}

TableMaker TableMaker::Load(const std::string& path) {
  return TableMaker(ReadTableFile(path));
}

bool TableMaker::setText(int byte, std::string_view text) {
  if (text.find('\r') != std::string_view::npos) return false;
  table_.text[static_cast<std::size_t>(byte & 0xFF)] = text;
  reparse();
  return true;
}

bool TableMaker::setRun(int first, const std::vector<std::string>& characters) {
  for (const auto& c : characters) {
    if (c.find('\r') != std::string::npos) return false;
  }
  for (std::size_t i = 0; i < characters.size(); ++i) {
    table_.text[(static_cast<std::size_t>(first) + i) & 0xFF] = characters[i];
  }
  reparse();
  return true;
}

void TableMaker::setEndPhrase(int byte) {
  table_.endPhraseByte = byte < 0 ? -1 : byte & 0xFF;
}

void TableMaker::setNewLine(int byte) {
  table_.newLineByte = byte < 0 ? -1 : byte & 0xFF;
}

std::vector<std::string> TableMaker::lines() const {
  std::vector<std::string> lines;
  if (table_.endPhraseByte >= 0) lines.push_back("/" + HexByte(table_.endPhraseByte));
  if (table_.newLineByte >= 0) lines.push_back("*" + HexByte(table_.newLineByte));
  for (int b = 0; b < 256; ++b) {
    if (!table_.text[b].empty()) lines.push_back(HexByte(b) + "=" + table_.text[b]);
  }
  for (int b = 0; b < 256; ++b) {
    if (table_.glyphWidth[b] != 0) {
      lines.push_back(HexByte(b) + " " + std::to_string(table_.glyphWidth[b]));
    }
  }
  return lines;
}

std::string TableMaker::fileText() const {
  std::string text;
  for (const auto& line : lines()) text += line + "\r\n";
  return text;
}

void TableMaker::save(const std::string& path) const {
  OutFile out(path);
  out.write(fileText());
  out.close();
}

void TableMaker::reparse() {
  table_ = ParseTable(fileText());
}

namespace {

// Length of the well-formed UTF-8 sequence at text[i], or 0.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  const std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

TableEncoding GuessEncoding(const CharTable& table) {
  TableEncoding guess = TableEncoding::Unknown;
  for (const std::string& text : table.text) {
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t length = Utf8Length(text, i);
      if (length == 0) return TableEncoding::ShiftJis;
      if (length > 1) guess = TableEncoding::Utf8;
      i += length;
    }
  }
  return guess;
}

int TileByte(long long index, int shift) {
  return static_cast<int>(((index + shift) % 256 + 256) % 256);
}

}  // namespace morvane
