#include "CorpusTruth.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>

namespace morvane::test {

namespace {

// key=value fields of one debug-file record.
std::map<std::string, std::string> Fields(const std::string& rest) {
  std::map<std::string, std::string> f;
  std::stringstream in(rest);
  std::string item;
  while (std::getline(in, item, ',')) {
    const auto eq = item.find('=');
    if (eq != std::string::npos) f[item.substr(0, eq)] = item.substr(eq + 1);
  }
  return f;
}

long Number(const std::string& text) {
  return text.empty() ? -1 : std::stol(text, nullptr, 0);
}

bool CodeSegment(const std::string& name) {
  for (const char* word : {"CODE", "STARTUP", "ONCE", "FIXED", "INIT"}) {
    if (name.find(word) != std::string::npos) return true;
  }
  return false;
}

// Library modules that keep data in their code segment: the module, where
// its data starts in it and how many bytes (0: to the module's end). The row
// tables of conio's cursor and the byte of a BIT that skips an instruction.
struct LibraryData {
  const char* module;
  long from, count;
};
constexpr LibraryData kLibraryData[] = {{"(setcursor.o):", 15, 0}, {"(vsnprintf.o):", 0x7D, 1}};

// The file offset and size of each part of a segment the map's module list
// gives for a module, and of the linker's table of constructors.
void PaintLibraryData(const std::string& mapText, const std::map<std::string, long>& segOffset,
                      const std::function<void(long, long)>& paintData) {
  std::stringstream lines(mapText);
  std::string line;
  const LibraryData* module = nullptr;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] != ' ') {
      module = nullptr;
      for (const LibraryData& d : kLibraryData) {
        if (line.find(d.module) != std::string::npos) module = &d;
      }
      continue;
    }
    std::stringstream fields(line);
    std::string seg, offs, size;
    if (module == nullptr || !(fields >> seg >> offs >> size) || seg != "CODE") continue;
    const long at = segOffset.at(seg) + std::stol(offs.substr(5), nullptr, 16);
    const long length = std::stol(size.substr(5), nullptr, 16);
    paintData(at + module->from, module->count ? module->count : length - module->from);
  }
  const auto exported = [&](const std::string& name) {
    const auto at = mapText.find(name + " ");
    return at == std::string::npos ? -1L : std::stol(mapText.substr(at + name.size()), nullptr, 16);
  };
  const long table = exported("__CONSTRUCTOR_TABLE__");
  const long count = exported("__CONSTRUCTOR_COUNT__");
  if (table >= 0 && count > 0 && segOffset.count("ONCE@")) {
    paintData(table - segOffset.at("ONCE@") + segOffset.at("ONCE"), 2 * count);
  }
}

// Directives that lay down data but whose spans the debug file gives no
// data type.
bool UntypedData(const std::string& line) {
  std::stringstream words(line.substr(0, line.find(';')));
  std::string word;
  words >> word;
  if (!word.empty() && word.back() == ':') words >> word;
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* d :
       {".lobytes", ".hibytes", ".bankbytes", ".res", ".asciiz", ".dword", ".incbin", ".align"}) {
    if (word == d) return true;
  }
  return false;
}

// The lines of each source file the debug file names, by file id.
std::map<long, std::vector<std::string>> SourceLines(
    const std::vector<std::map<std::string, std::string>>& files, const std::string& dir) {
  std::map<long, std::vector<std::string>> sources;
  for (const auto& f : files) {
    std::string name = f.at("name");
    if (name.size() >= 2 && name.front() == '"') name = name.substr(1, name.size() - 2);
    std::ifstream in(name.empty() || name[0] == '/' ? name : dir + "/" + name);
    auto& lines = sources[Number(f.at("id"))];
    for (std::string line; std::getline(in, line);) lines.push_back(line);
  }
  return sources;
}

}  // namespace

std::vector<Truth> ReadTruth(const std::string& dbgText, std::size_t size,
                             const std::string& mapText, const std::string& sourceDir) {
  struct Seg {
    long offset = -1, size = 0;
    bool code = false;
  };
  std::map<long, Seg> segs;
  std::map<std::string, long> segOffset;  // file offset by name; "NAME@": CPU address
  std::vector<std::pair<long, std::map<std::string, std::string>>> spans;
  std::vector<std::map<std::string, std::string>> files, lineRecords;
  std::stringstream lines(dbgText);
  std::string line;
  while (std::getline(lines, line)) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos) continue;
    const std::string kind = line.substr(0, tab);
    auto f = Fields(line.substr(tab + 1));
    if (kind == "seg" && f.count("ooffs")) {
      std::string name = f["name"];
      segs[Number(f["id"])] = {Number(f["ooffs"]), Number(f["size"]), CodeSegment(name)};
      if (name.size() >= 2 && name.front() == '"') name = name.substr(1, name.size() - 2);
      segOffset[name] = Number(f["ooffs"]);
      segOffset[name + "@"] = Number(f["start"]);
    } else if (kind == "span") {
      spans.emplace_back(Number(f["seg"]), std::move(f));
    } else if (kind == "file" && f.count("id") && f.count("name")) {
      files.push_back(std::move(f));
    } else if (kind == "line" && f.count("span") && !f.count("type")) {
      lineRecords.push_back(std::move(f));
    }
  }
  std::vector<Truth> truth(size, Truth::Fill);
  const auto paint = [&](long from, long count, Truth t) {
    for (long k = from; k < from + count; ++k) {
      if (k >= 0 && static_cast<std::size_t>(k) < size) truth[static_cast<std::size_t>(k)] = t;
    }
  };
  for (const auto& [id, s] : segs) paint(s.offset, s.size, s.code ? Truth::Code : Truth::Data);
  // Spans by id, then the data type or directive that makes each data.
  std::set<long> dataSpans;
  const auto sources = SourceLines(files, sourceDir);
  for (const auto& l : lineRecords) {
    const auto file = sources.find(Number(l.count("file") ? l.at("file") : ""));
    if (file == sources.end()) continue;
    const auto& lines = file->second;
    const long at = Number(l.count("line") ? l.at("line") : "") - 1;
    if (at < 0 || at >= static_cast<long>(lines.size()) || !UntypedData(lines[at])) continue;
    std::stringstream ids(l.at("span"));
    for (std::string id; std::getline(ids, id, '+');) dataSpans.insert(Number(id));
  }
  for (const auto& [seg, f] : spans) {
    const auto s = segs.find(seg);
    if (s == segs.end() || !(f.count("type") || dataSpans.count(Number(f.at("id"))))) continue;
    paint(s->second.offset + Number(f.at("start")), Number(f.at("size")), Truth::Data);
  }
  PaintLibraryData(mapText, segOffset,
                   [&](long from, long count) { paint(from, count, Truth::Data); });
  return truth;
}

Figures Score(const std::string& tablesText, const std::vector<Truth>& truth, std::int64_t origin,
              std::int32_t start, std::int32_t end) {
  std::vector<bool> shownData(static_cast<std::size_t>(end - start + 1), false);
  std::stringstream rows(tablesText);
  std::string line;
  while (std::getline(rows, line)) {
    std::stringstream fields(line);
    std::string first, last;
    std::getline(fields, first, '\t');
    std::getline(fields, last, '\t');
    if (first.empty() || first.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      continue;
    }
    if (!last.empty() && last.back() == '\r') last.pop_back();
    const long a = std::stol(first, nullptr, 16);
    const long b = last.empty() ? end : std::stol(last, nullptr, 16);
    for (long k = a; k <= b; ++k) {
      if (k >= start && k <= end) shownData[static_cast<std::size_t>(k - start)] = true;
    }
  }
  Figures f;
  // With TRACE_CORPUS_VERBOSE set, every stretch shown wrong is printed.
  const bool verbose = std::getenv("TRACE_CORPUS_VERBOSE") != nullptr;
  std::int32_t wrongFrom = -1;
  bool wrongCode = false;
  for (std::int32_t a = start; a <= end + 1; ++a) {
    const std::int64_t o = a - origin;
    const bool known = a <= end && o >= 0 && static_cast<std::size_t>(o) < truth.size();
    const bool isCode = known && truth[static_cast<std::size_t>(o)] == Truth::Code;
    const bool wrong = known && isCode == shownData[static_cast<std::size_t>(a - start)];
    if (wrongFrom >= 0 && (!wrong || isCode != wrongCode)) {
      if (verbose) {
        std::printf("  %s %04X-%04X\n", wrongCode ? "code shown as data" : "data shown as code",
                    static_cast<unsigned>(wrongFrom), static_cast<unsigned>(a - 1));
      }
      wrongFrom = -1;
    }
    if (wrong && wrongFrom < 0) {
      wrongFrom = a;
      wrongCode = isCode;
    }
  }
  for (std::int32_t a = start; a <= end; ++a) {
    const std::int64_t o = a - origin;
    if (o < 0 || static_cast<std::size_t>(o) >= truth.size()) continue;
    const bool data = shownData[static_cast<std::size_t>(a - start)];
    if (truth[static_cast<std::size_t>(o)] == Truth::Code) {
      ++f.code;
      f.codeRight += !data;
    } else {
      ++f.data;
      f.dataRight += data;
    }
  }
  return f;
}

}  // namespace morvane::test
