#include "labels/Ca65DebugFile.h"

#include <map>

namespace morvane {

namespace {

struct Segment {
  std::int64_t start = 0;
  std::int64_t fileOffset = -1;  // -1: not in the output file
};

// The key=value fields after the tab; false for a line of another shape.
bool Fields(const std::string& text, std::map<std::string, std::string>& fields) {
  const std::size_t tab = text.find('\t');
  if (tab == std::string::npos) return false;
  std::size_t at = tab + 1;
  while (at < text.size()) {
    const std::size_t eq = text.find('=', at);
    if (eq == std::string::npos) return false;
    std::string value;
    std::size_t end = eq + 1;
    if (end < text.size() && text[end] == '"') {
      const std::size_t close = text.find('"', end + 1);
      if (close == std::string::npos) return false;
      value = text.substr(end + 1, close - end - 1);
      end = close + 1;
    } else {
      end = std::min(text.find(',', end), text.size());
      value = text.substr(eq + 1, end - eq - 1);
    }
    fields[text.substr(at, eq - at)] = value;
    if (end < text.size() && text[end] != ',') return false;
    at = end + 1;
  }
  return true;
}

// A number as the file writes it: 0x hex or decimal; -1 when it is neither.
std::int64_t Number(const std::string& text) {
  const bool hex = text.starts_with("0x");
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 10) return -1;
  std::int64_t v = 0;
  for (const char c : digits) {
    const int d = c >= '0' && c <= '9'          ? c - '0'
                  : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                : -1;
    if (d < 0) return -1;
    v = v * (hex ? 16 : 10) + d;
  }
  return v;
}

}  // namespace

void ReadCa65DebugFile(const std::string& path, TextLines& lines, LabelSet& set) {
  std::map<std::int64_t, Segment> segments;
  struct Sym {
    std::string name;
    std::int64_t value;
    std::int64_t seg;
  };
  std::vector<Sym> syms;
  std::string text;
  while (lines.next(text)) {
    if (text.empty()) continue;
    const int n = lines.lineNumber();
    std::map<std::string, std::string> f;
    if (!Fields(text, f)) RejectLabelLine(path, n, "not a line of a ca65 debug file.", text);
    const std::string kind = text.substr(0, text.find('\t'));
    if (kind == "seg") {
      const std::int64_t id = Number(f["id"]);
      const std::int64_t start = Number(f["start"]);
      if (id < 0 || start < 0) RejectLabelLine(path, n, "a segment without id or start.", text);
      segments[id] = {start, f.contains("ooffs") ? Number(f["ooffs"]) : -1};
    } else if (kind == "sym") {
      const std::string& name = f["name"];
      // An import has no value of its own: its export ("exp") names the place.
      if (f["type"] == "imp" && !name.empty()) continue;
      if (name.empty() || !f.contains("val")) {
        RejectLabelLine(path, n, "a symbol without name or value.", text);
      }
      if (name[0] == '@' || f["type"] == "imp" || f.contains("parent")) continue;
      const std::int64_t value = Number(f["val"]);
      if (value < 0) RejectLabelLine(path, n, "the value is not a number.", text);
      syms.push_back({name, value, f.contains("seg") ? Number(f["seg"]) : -1});
    }
  }
  for (const Sym& s : syms) {
    const auto seg = segments.find(s.seg);
    if (seg != segments.end() && seg->second.fileOffset >= 0) {
      set.rom[seg->second.fileOffset + (s.value - seg->second.start)] = {SymbolFrom(s.name), ""};
    } else if (s.value < 0x8000) {
      set.ram[static_cast<std::int32_t>(s.value)] = {SymbolFrom(s.name), ""};
    }
  }
}

}  // namespace morvane
