#include "insert/Strip.h"

#include <array>

#include "insert/FindPhrase.h"
#include "insert/Insert.h"
#include "script/ScriptHeader.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"

namespace morvane {

namespace {

constexpr std::string_view kStripTitle = "Error during Strip";

// The header is read for its phrase range and its length; lines 3 and 4 and
// the block lines are not checked.
ScriptHeader ReadStripHeader(TextLines& script) {
  ScriptHeader header;
  NextScriptLine(script);
  ReadPhrasesLine(SplitHeaderLine(NextScriptLine(script)), kStripTitle, header);
  NextScriptLine(script);
  NextScriptLine(script);
  const std::int32_t blocks = ReadBlockCount(SplitHeaderLine(NextScriptLine(script)), kStripTitle);
  for (std::int32_t k = 0; k < blocks; ++k) NextScriptLine(script);
  return header;
}

void CopyPhrases(const ScriptHeader& header, TextLines& script, OutFile& out, JobHost& host,
                 std::string& step) {
  std::array<bool, kPhraseSlots> shared{};
  const auto slotOf = [&](std::int64_t phrase) { return phrase - header.firstPhrase; };
  for (std::int32_t current = header.firstPhrase; current <= header.lastPhrase;) {
    const FoundPhrase found = FindPhrase(script, current, step);
    for (const std::int32_t n : found.shared) {
      const std::int64_t s = slotOf(n);
      if (s < 0 || s >= kPhraseSlots) throw JobError(kErrSubscript);
      shared[static_cast<std::size_t>(s)] = true;
    }
    std::string row = found.firstRow;
    if (!row.empty()) {
      do {
        out.line(row);
      } while (NextTranslatedRow(script, row));
    }
    out.line();
    host.yield();
    ++current;
    while (slotOf(current) < kPhraseSlots && shared[static_cast<std::size_t>(slotOf(current))]) {
      ++current;
    }
  }
}

}  // namespace

JobResult StripJob(const Settings&, JobHost& host) {
  return RunJob(host, {.prefix = "Error during Strip:\r\n"}, [](JobRun& run) {
    const std::string path = run.ask(Dialog::OpenSJS);
    const std::string output = SuffixedName(path, "Stripped");
    RefuseOverwrite(std::string(kStripTitle), output, {path});
    run.step = "Open Files - First Pass";
    TextLines script = TextLines::FromFile(path);
    OutFile out(output);
    run.wrote(output);
    const ScriptHeader header = ReadStripHeader(script);
    run.step = "Init";
    CopyPhrases(header, script, out, run.host, run.step);
    out.close();
  });
}

}  // namespace morvane
