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

std::vector<std::string> SplitUtf8(std::string_view text) {
  std::vector<std::string> characters;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = byte(i);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                         : lead >= 0xE0                 ? (lead < 0xF0 ? 3 : 1)
                         : lead >= 0xC2 && lead <= 0xDF ? 2
                                                        : 1;
    if (i + length > text.size()) length = 1;
    for (std::size_t k = 1; k < length; ++k) {
      if ((byte(i + k) & 0xC0) != 0x80) length = 1;
    }
    characters.emplace_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

int TileByte(long long index, int shift) {
  return static_cast<int>(((index + shift) % 256 + 256) % 256);
}

}  // namespace morvane
