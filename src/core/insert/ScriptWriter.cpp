#include "insert/ScriptWriter.h"

#include <algorithm>
#include <limits>

#include "insert/ScriptHeader.h"
#include "shell/OutFile.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kRule = ";--------------------";
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
  const std::string offset = HexSigned(-static_cast<std::int64_t>(file.origin));
  const std::int64_t adjust = file.pointers ? -std::int64_t{file.pointers->base} : 0;
  std::string text;
  auto line = [&text](const std::string& l) { text += l + "\r\n"; };
  line(StripExtension(FileNameOf(file.rom)) + " Text");
  line("Phrases\t" + HexSigned(first) + "\t" + HexSigned(last));
  line("Chars\t" + Hex(columns) + "\t" + Hex(static_cast<std::int64_t>(height)) + "\t");
  if (file.pointers) {
    line("Ptrs\t" + Hex(file.pointers->low) + "\t" + Hex(file.pointers->high) + "\t" + offset +
         "\t" + Hex(file.pointers->step));
  } else {
    line("Ptrs\tNONE\t[NONE+1]\t" + offset + "\t2");
  }
  // Without pointers each block's pointer values start at 0: the inserter
  // still counts them, in 16 bits, so a block stays below 64 KiB.
  std::vector<Run> runs =
      Runs(file.phrases, file.pointers ? std::numeric_limits<std::int64_t>::max() : kLongestBlock);
  runs.back().lastPhrase = last;
  line("Blocks\t" + Hex(static_cast<std::int64_t>(runs.size())) + "\t");
  for (const Run& r : runs) {
    const std::int64_t lastByte = std::max(r.end - 1, r.start);
    const std::int64_t blockAdjust = file.pointers ? adjust : -(r.start + file.origin);
    line("Text\t" + Hex(r.start + file.origin) + "\t" + Hex(lastByte + file.origin) + "\t" +
         offset + "\t" + HexSigned(r.lastPhrase) + "\t" + HexSigned(blockAdjust));
  }
  line(kRule);
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
  line(kRule);
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
