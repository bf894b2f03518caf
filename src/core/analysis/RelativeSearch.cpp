#include "analysis/RelativeSearch.h"

#include "analysis/InStream.h"
#include "analysis/PatternSearch.h"
#include "analysis/SearchOptions.h"
#include "analysis/SearchScanner.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

extern const std::string kOutputTitle = "Output File Error";

JobResult SearchJob(const Settings& settings, JobHost& host) {
  if (!IsClassicSearch(settings.options)) return PatternSearchJob(settings, host);
  const JobTexts texts{
      .cancelled = "Search Canceled", .failed = "Search Error", .minor = "Search Minor Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    const SearchWord word = ReadSearchWord(settings.searchText);
    run.step = "Search File - Selecting File";
    const std::string rom = run.ask(Dialog::OpenNES);
    run.file = rom;
    InStream in(rom);
    const std::string output = StripExtension(rom) + " Output.txt";
    run.file = output;
    run.step = "Search File - Opening Dump File";
    RefuseOverwrite(kOutputTitle, output, {rom});
    OutFile out(output);
    run.wrote(output);
    run.step = "Search File - Searching";
    WriteBanner(out);
    out.line("--------------------");
    SearchScanner scanner(word, run.host, out);
    scanner.run(in, BlockOffset(settings.block, settings.header));
    EndSearchReport(run, out, scanner.offset(), scanner.hits(), scanner.lastMatch(), word.word);
  });
}

void EndSearchReport(JobRun& run, OutFile& out, std::int64_t stoppedAt, std::int64_t hits,
                     const std::string& lastMatch, const std::string& word) {
  if (run.host.cancelRequested()) {
    const std::string at = Hex(stoppedAt);
    out.line("CANCELED at " + at);
    run.host.setStatus("Search Canceled at " + at);
    run.result.outcome = Outcome::Cancelled;
    // A search stopped early is a partial result, kept beside the last whole one.
    out.closeIncomplete();
  } else {
    run.host.setStatus("Search Done: " + (hits > 0 ? lastMatch : word + " not found."));
    out.close();
  }
}

}  // namespace morvane
