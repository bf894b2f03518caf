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
    if (run.host.cancelRequested()) {
      const std::string at = Hex(scanner.offset());
      out.line("CANCELED at " + at);
      run.host.setStatus("Search Canceled at " + at);
      run.result.outcome = Outcome::Cancelled;
    } else if (scanner.hits() > 0) {
      run.host.setStatus("Search Done: " + scanner.lastMatch());
    } else {
      run.host.setStatus("Search Done: " + word.word + " not found.");
    }
    // A search stopped early is a partial result, kept beside the last whole one.
    if (run.result.outcome == Outcome::Cancelled) {
      out.closeIncomplete();
    } else {
      out.close();
    }
  });
}

}  // namespace morvane
