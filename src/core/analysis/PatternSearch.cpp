#include "analysis/PatternSearch.h"

#include "analysis/InStream.h"
#include "analysis/PatternScanner.h"
#include "analysis/RelativeSearch.h"
#include "analysis/SearchReport.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

JobResult PatternSearchJob(const Settings& settings, JobHost& host) {
  const JobTexts texts{
      .cancelled = "Search Canceled", .failed = "Search Error", .minor = "Search Minor Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    const SearchOptions options = ReadSearchOptions(settings.options);
    CharOrder order;
    if (!options.order.empty()) {
      run.step = "Search File - Reading Order";
      run.file = OrderPath(options.order);
      order = ReadCharOrder(run.file, options.width == 2 ? 0x10000 : 0x100);
    }
    const SearchPattern pattern = BuildSearchPattern(settings.searchText, options, order);
    run.step = "Search File - Selecting File";
    const std::string rom = run.ask(Dialog::OpenNES);
    run.file = rom;
    InStream in(rom);
    const std::string output = StripExtension(rom) + " Output.txt";
    run.file = output;
    run.step = "Search File - Opening Dump File";
    RefuseOverwrite(kOutputTitle, output, {rom, order.path});
    OutFile out(output);
    run.wrote(output);
    run.step = "Search File - Searching";
    WriteBanner(out);
    out.line("--------------------");
    SearchReport report(pattern, run.host, out, StripExtension(rom));
    PatternScanner scanner(pattern, run.host, report.lastMatch());
    scanner.run(in, BlockOffset(settings.block, settings.header),
                [&](const std::uint8_t* window, std::int64_t offset, const Relation& relation) {
                  report.hit(window, offset, relation);
                });
    run.step = "Search File - Writing Drafts";
    report.finish(run, {rom, order.path});
    // The drafts of the hits found so far are whole: they stay.
    if (run.host.cancelRequested()) run.keepsCompleteOutputs = true;
    EndSearchReport(run, out, scanner.offset(), report.hits(), report.lastMatch(), pattern.word);
  });
}

}  // namespace morvane
