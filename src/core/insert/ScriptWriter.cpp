#include "insert/ScriptWriter.h"

#include <algorithm>
#include <limits>

#include "script/ScriptHeader.h"
#include "shell/ListingWords.h"
#include "shell/OutFile.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::int64_t kLongestBlock = 0xF800;

struct Run {
  std::int64_t start = 0;
  std::int64_t end = 0;  // one past the last byte
  int lastPhrase = 0;
};

// Stretches of phrases that follow one another, one block each, so that
// phrases placed one after another land where they were; at most 17. A
// stretch is cut where it would grow past longest bytes.
std::vector<Run> Runs(const std::vector<ScriptPhrase>& phrases, std::int64_t longest) {
  std::vector<Run> runs;
  for (const ScriptPhrase& p : phrases) {
    const std::int64_t end = p.offset + static_cast<std::int64_t>(p.length);
    if (runs.empty() || p.offset > runs.back().end ||
        (p.offset == runs.back().end && end - runs.back().start > longest)) {
      runs.push_back({p.offset, end, p.numbers.front()});
    } else {
      runs.back().end = std::max(runs.back().end, end);
      runs.back().lastPhrase = p.numbers.front();
    }
  }
  while (runs.size() > static_cast<std::size_t>(kMaxBlocks)) {
    runs[runs.size() - 2].end = runs.back().end;
    runs[runs.size() - 2].lastPhrase = runs.back().lastPhrase;
    runs.pop_back();
  }
  return runs;
}

std::string Numbers(const std::vector<int>& numbers) {
  std::vector<int> sorted(numbers.begin() + 1, numbers.end());
  std::sort(sorted.begin(), sorted.end());
  std::string text = PhraseHex(numbers.front());
  for (const int n : sorted) text += "," + PhraseHex(n);
  return text;
}

}  // namespace

std::string WriteScript(const ScriptFile& file) {
  int first = file.phrases.front().numbers.front();
  int last = first;
  int columns = 1;
  std::size_t height = 1;
  for (const ScriptPhrase& p : file.phrases) {
    for (const int n : p.numbers) {
      first = std::min(first, n);
      last = std::max(last, n);
    }
    columns = std::max(columns, p.columns);
    height = std::max(height, p.rows.size());
  }
  ReadyScript header;
  header.title = StripExtension(FileNameOf(file.rom));
  header.firstPhrase = first;
  header.lastPhrase = last;
  header.columns = columns;
  header.rows = static_cast<std::int64_t>(height);
  header.origin = file.origin;
  if (file.pointers)
    header.pointers = {file.pointers->low, file.pointers->high, file.pointers->step};
  // Without pointers each block's pointer values start at 0: the inserter
  // still counts them, in 16 bits, so a block stays below 64 KiB.
  std::vector<Run> runs =
      Runs(file.phrases, file.pointers ? std::numeric_limits<std::int64_t>::max() : kLongestBlock);
  runs.back().lastPhrase = last;
  for (const Run& r : runs) {
    const std::int64_t start = r.start + file.origin;
    header.blocks.push_back({start, std::max(r.end - 1, r.start) + file.origin, r.lastPhrase,
                             file.pointers ? -std::int64_t{file.pointers->base} : -start});
  }
  std::string text = ReadyScriptHeaderText(header);
  auto line = [&text](const std::string& l) { text += l + kLineEnd; };
  line(kRuleLine);
  line("; " + FileNameOf(file.rom) + " through " + FileNameOf(file.table) + " (" +
       (file.standard ? "standard" : "classic") + " table form)");
  if (file.pointers) {
    const PointerList& p = *file.pointers;
    line("; " + std::to_string(p.count) + " pointers, low bytes at " + Hex(p.low) +
         ", high bytes at " + Hex(p.high) + ", step " + Hex(p.step) + ": " +
         std::to_string(file.phrases.size()) + " phrases");
  }
  line("; Each phrase: its text as notes, its numbers and address, an empty line and the rows");
  line("; to insert, which start as its text. Replace them with the translation.");
  line(kRuleLine);
  line("");
  for (const ScriptPhrase& p : file.phrases) {
    for (const std::string& row : p.rows) line(";" + row);
    line(Numbers(p.numbers) + ":" + HexWord(p.offset + file.origin) + ":");
    line("");
    for (const std::string& row : p.rows) line(row);
    line("");
  }
  OutFile out(file.path);
  out.write(text);
  out.close();
  return text;
}

}  // namespace morvane
