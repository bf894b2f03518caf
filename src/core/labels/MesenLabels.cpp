#include "labels/MesenLabels.h"

#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::int32_t kCartRam = 0x6000;

// Mesen writes a comment's line breaks as \n.
std::string Escaped(const std::string& comment) {
  std::string s;
  for (const char c : comment) s += c == '\n' ? std::string("\\n") : std::string(1, c);
  return s;
}
std::string Unescaped(const std::string& comment) {
  std::string s;
  for (std::size_t i = 0; i < comment.size(); ++i) {
    if (comment[i] == '\\' && i + 1 < comment.size() && comment[i + 1] == 'n') {
      s += '\n';
      ++i;
    } else {
      s += comment[i];
    }
  }
  return s;
}

bool ReadHexField(const std::string& text, std::int64_t& value) {
  if (text.empty() || text.size() > 8) return false;
  value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
    if (digit < 0) return false;
    value = value * 16 + digit;
  }
  return true;
}

std::string Line(char kind, std::int64_t at, const std::string& name, const std::string& comment) {
  std::string line = std::string(1, kind) + ":" + HexWord(at) + ":" + name;
  if (!comment.empty()) line += ":" + Escaped(comment);
  return line + kLineEnd;
}

}  // namespace

void ReadMesenLabels(const std::string& path, TextLines& lines, const INesHeader& header,
                     LabelSet& set) {
  std::string text;
  while (lines.next(text)) {
    if (text.empty()) continue;
    const int n = lines.lineNumber();
    const std::size_t c1 = text.find(':');
    const std::size_t c2 = c1 == std::string::npos ? c1 : text.find(':', c1 + 1);
    if (c1 != 1 || c2 == std::string::npos) {
      RejectLabelLine(path, n, "not a label (\"P:ADDR:Name\").", text);
    }
    std::string where = text.substr(2, c2 - 2);
    where = where.substr(0, where.find('-'));  // the start of a range
    std::int64_t at = 0;
    if (!ReadHexField(where, at)) RejectLabelLine(path, n, "the address is not hex.", text);
    const std::size_t c3 = text.find(':', c2 + 1);
    LabelEntry entry{SymbolFrom(text.substr(c2 + 1, c3 == std::string::npos ? c3 : c3 - c2 - 1)),
                     c3 == std::string::npos ? "" : Unescaped(text.substr(c3 + 1))};
    switch (text[0]) {
      case 'P':
        set.rom[header.prgOffset + at] = entry;
        break;
      case 'R':
      case 'G':
        set.ram[static_cast<std::int32_t>(at & 0xFFFF)] = entry;
        break;
      case 'S':
      case 'W':
        set.ram[static_cast<std::int32_t>((kCartRam + at) & 0xFFFF)] = entry;
        break;
      default:
        RejectLabelLine(path, n, "the kind of memory is not P, R, S, W or G.", text);
    }
  }
}

std::string MesenLabelsText(const LabelStore& d, std::int64_t prgOffset) {
  std::string out;
  for (const auto& [a, name] : d.ramNames) {
    const char kind = a < 0x2000 ? 'R' : a >= kCartRam && a < 0x8000 ? 'W' : 'G';
    const auto comment = d.ramComments.find(a);
    out += Line(kind, kind == 'W' ? a - kCartRam : a & (kind == 'R' ? 0x7FF : 0xFFFF), name,
                comment == d.ramComments.end() ? "" : comment->second);
  }
  for (const auto& [at, name] : d.labels) {
    const auto comment = d.comments.find(at);
    out += Line('P', at - prgOffset, name, comment == d.comments.end() ? "" : comment->second);
  }
  return out;
}

}  // namespace morvane
