#include "labels/FceuxNameList.h"

#include <map>

#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::int64_t kBank = kPrgBankSize;

// The bank a file's name gives: ".3.nl" 3, ".ram.nl" -1; -2 for none.
std::int64_t BankOfName(const std::string& path) {
  const std::size_t end = path.size() - 3;  // before ".nl"
  const std::size_t dot = path.rfind('.', end - 1);
  if (dot == std::string::npos) return -2;
  const std::string word = path.substr(dot + 1, end - dot - 1);
  if (word == "ram") return -1;
  if (word.empty() || word.size() > 4 || !IsHex(word)) return -2;
  return HexToLong(word);
}

std::string Line(std::int32_t a, const std::string& name, const std::string& comment) {
  std::string line = "$" + HexWord(a) + "#" + name + "#";
  for (const char c : comment) line += c == '\n' ? std::string(kLineEnd) + "\\" : std::string(1, c);
  return line + kLineEnd;
}

}  // namespace

void ReadFceuxNameList(const std::string& path, TextLines& lines, const INesHeader& header,
                       LabelSet& set) {
  const std::int64_t bank = BankOfName(path);
  std::string text;
  LabelEntry* last = nullptr;
  while (lines.next(text)) {
    if (text.empty()) continue;
    const int n = lines.lineNumber();
    if (text[0] == '\\' && last != nullptr) {
      last->comment += "\n" + text.substr(1);
      continue;
    }
    const std::size_t h1 = text.find('#');
    const std::size_t h2 = h1 == std::string::npos ? h1 : text.find('#', h1 + 1);
    if (text[0] != '$' || h2 == std::string::npos) {
      RejectLabelLine(path, n, "not a name (\"$ADDR#Name#Comment\").", text);
    }
    const std::string where = text.substr(1, text.find_first_of("/#") - 1);
    if (where.empty() || where.size() > 4 || !IsHex(where)) {
      RejectLabelLine(path, n, "the address is not hex.", text);
    }
    const auto a = static_cast<std::int32_t>(HexToLong(where));
    LabelEntry entry{SymbolFrom(text.substr(h1 + 1, h2 - h1 - 1)), text.substr(h2 + 1)};
    if (a < 0x8000) {
      last = &(set.ram[a] = entry);
    } else if (bank >= 0) {
      last = &(set.rom[header.prgOffset + bank * kBank + (a & (kBank - 1))] = entry);
    } else {
      RejectLabelLine(
          path, n, "a ROM address in a file whose name gives no bank (\"<rom>.nes.0.nl\").", text);
    }
  }
}

std::vector<std::pair<std::string, std::string>> FceuxNameLists(
    const LabelStore& d, std::int64_t prgOffset,
    const std::function<std::int64_t(std::int64_t)>& cpuOf) {
  std::map<std::int64_t, std::string> files;  // by bank, -1 for RAM
  for (const auto& [a, name] : d.ramNames) {
    const auto comment = d.ramComments.find(a);
    files[-1] += Line(a, name, comment == d.ramComments.end() ? "" : comment->second);
  }
  for (const auto& [at, name] : d.labels) {
    const std::int64_t cpu = cpuOf(at);
    if (cpu < 0) continue;
    const auto comment = d.comments.find(at);
    files[(at - prgOffset) / kBank] += Line(static_cast<std::int32_t>(cpu), name,
                                            comment == d.comments.end() ? "" : comment->second);
  }
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& [bank, text] : files) {
    out.emplace_back(bank < 0 ? ".ram.nl" : "." + Hex(bank) + ".nl", text);
  }
  return out;
}

}  // namespace morvane
