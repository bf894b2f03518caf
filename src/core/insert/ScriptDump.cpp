#include "insert/ScriptDump.h"

#include <algorithm>
#include <map>
#include <optional>

#include "insert/PointerList.h"
#include "insert/ScriptCheck.h"
#include "insert/ScriptRows.h"
#include "insert/ScriptWriter.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"
#include "tables/TableFormat.h"

namespace morvane {

const OptionSpec kPointersOption{
    "pointers",
    "text dump through a pointer table: LOW[,HIGH[,STEP]], hex CPU addresses of the first low "
    "and high bytes (HIGH defaults to LOW+1, STEP to 2 for pairs, 1 for two tables)"};
const OptionSpec kCountOption{"count", "with --pointers: how many pointers (1 to 2049)"};
const OptionSpec kPointerBaseOption{
    "pointer-base",
    "with --pointers: hex base added to each pointer (pointers relative to a bank)"};

namespace {

constexpr const char* kTitle = "Error During Dump";

[[noreturn]] void Refuse(const std::string& message) {
  throw JobError::Minor(kTitle, message);
}

struct Source {
  const std::string& rom;
  std::int32_t origin;
  const ScriptRows& rows;
  bool hasEnd;  // the table names an end byte
};

// Reads the phrase at offset, at most to limit (a file offset).
ScriptPhrase ReadPhrase(const Source& s, std::int64_t offset, std::int64_t limit, int number) {
  if (!s.hasEnd && limit - offset > kMaxScriptPhrase) {
    Refuse("Phrase " + PhraseHex(number) + " at " + Hex(offset + s.origin) +
           ": the table names no end byte, and the next phrase or the end of the range lies " +
           std::to_string(limit - offset) + " bytes on, more than a phrase may hold (" +
           std::to_string(kMaxScriptPhrase) + "). Set the range's end where the text ends.");
  }
  const std::int64_t room = std::min<std::int64_t>(limit, offset + kMaxScriptPhrase) - offset;
  const std::string_view bytes = std::string_view(s.rom).substr(
      static_cast<std::size_t>(offset), static_cast<std::size_t>(std::max<std::int64_t>(room, 0)));
  ScriptPhrase phrase;
  phrase.offset = offset;
  phrase.numbers.push_back(number);
  const DecodedPhrase decoded = s.rows.read(bytes, phrase.exact, phrase.columns);
  if (s.hasEnd && !decoded.ended) {
    Refuse("Phrase " + PhraseHex(number) + " at " + Hex(offset + s.origin) +
           " has no end of phrase within the next " + std::to_string(room) + " bytes.");
  }
  phrase.length = decoded.length;
  phrase.rows = decoded.rows;
  return phrase;
}

std::vector<ScriptPhrase> ByPointers(const Source& s, const PointerList& list,
                                     const std::string& romName, std::int64_t rangeEnd) {
  const std::vector<std::int32_t> targets = ReadPointers(list, s.rom, romName, s.origin);
  std::vector<std::int32_t> sorted = targets;
  std::sort(sorted.begin(), sorted.end());
  std::vector<ScriptPhrase> phrases;
  std::map<std::int32_t, std::size_t> seen;
  for (int i = 0; i < list.count; ++i) {
    const std::int32_t target = targets[static_cast<std::size_t>(i)];
    const auto found = seen.find(target);
    if (found != seen.end()) {
      phrases[found->second].numbers.push_back(i);
      continue;
    }
    // Without an end byte a phrase runs to the next phrase, the last to the range's end.
    std::int64_t limit = static_cast<std::int64_t>(s.rom.size());
    if (!s.hasEnd) {
      const auto next = std::upper_bound(sorted.begin(), sorted.end(), target);
      limit = next != sorted.end() ? *next - s.origin : rangeEnd;
    }
    seen.emplace(target, phrases.size());
    phrases.push_back(ReadPhrase(s, target - s.origin, limit, i));
  }
  return phrases;
}

std::vector<ScriptPhrase> InRange(const Source& s, std::int64_t start, std::int64_t end,
                                  int first) {
  std::vector<ScriptPhrase> phrases;
  end = std::min<std::int64_t>(end, static_cast<std::int64_t>(s.rom.size()));
  for (std::int64_t at = start; at < end && phrases.size() < kPhraseSlots;) {
    const int number = first + static_cast<int>(phrases.size());
    if (!s.hasEnd) {
      phrases.push_back(ReadPhrase(s, at, end, number));
      break;
    }
    ScriptPhrase phrase;
    try {
      phrase = ReadPhrase(s, at, end, number);
    } catch (const JobError& e) {
      if (e.kind() != JobError::Kind::Minor) throw;
      break;  // a phrase that the range cuts off is left out
    }
    if (phrase.length == 0) break;
    at += static_cast<std::int64_t>(phrase.length);
    phrases.push_back(std::move(phrase));
  }
  return phrases;
}

}  // namespace

bool WritesReadyScript(const Settings& settings) {
  return settings.options.has(kPointersOption.name) ||
         (settings.mode == kText && !settings.asTable && ReadsStandardTables(settings));
}

JobResult ScriptDumpJob(const Settings& window, JobHost& host) {
  const JobTexts texts{
      .cancelled = "Dump Canceled", .failed = "Dump Error", .minor = "Dump Minor Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    Settings settings = window;
    CorrectRangeForJob(settings);
    run.step = "Dump Error";
    const bool byPointers = settings.options.has(kPointersOption.name);
    if (settings.mode != kText) Refuse("--pointers needs --mode text.");
    std::optional<PointerList> list;
    if (byPointers) list = ReadPointerOptions(settings.options);
    if (IsHex(settings.lengthText) && HexToLong(settings.lengthText) != 0) {
      Refuse("Length " + settings.lengthText +
             " (bytes between phrases) is not read by a dump that writes a script ready to "
             "insert; set it to 0.");
    }
    const std::string romPath = run.ask(Dialog::OpenNES);
    const std::string tblPath = run.ask(Dialog::OpenTBL);
    ScriptFile file;
    file.path = StripExtension(romPath) + " Text.txt";
    RefuseOverwrite(kTitle, file.path, {romPath, tblPath});
    run.file = romPath;
    const std::string rom = ReadBinaryFile(romPath);
    run.file = tblPath;
    const StandardTable table = ReadJobTable(tblPath, settings, run.host);
    std::optional<CharTable> classic;
    if (!ReadsStandardTables(settings)) classic = ReadTableFile(tblPath);
    run.file.clear();
    const ScriptRows rows(table, classic ? &*classic : nullptr);
    const std::int32_t origin = settings.origin();
    const bool hasEnd = table.end() != nullptr && !table.end()->key.empty();
    const Source source{rom, origin, rows, hasEnd};
    const std::int64_t rangeEnd = std::int64_t{settings.end} - origin + 1;
    const int first =
        IsSignedHex(settings.phraseText) ? Check16(HexToLong(settings.phraseText)) : 0;
    file.phrases = list ? ByPointers(source, *list, FileNameOf(romPath), rangeEnd)
                        : InRange(source, std::int64_t{settings.start} - origin, rangeEnd, first);
    if (file.phrases.empty())
      Refuse("No phrase ends in the range " + settings.startText + " to " + settings.endText + ".");
    if (!hasEnd && !list)
      run.host.note(FileNameOf(tblPath) +
                    " names no end byte, so each phrase runs to the end of the range.");
    file.rom = romPath;
    file.table = tblPath;
    file.standard = !classic;
    file.origin = origin;
    file.pointers = list;
    const std::string script = WriteScript(file);
    run.wrote(file.path);
    for (const std::string& note :
         CheckScript(script, rom, table, classic ? &*classic : nullptr, file.phrases))
      run.host.note(note);
    run.host.setStatus("Dump Complete: " + std::to_string(file.phrases.size()) + " phrases");
  });
}

}  // namespace morvane
