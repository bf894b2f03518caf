#include "analysis/RelativeSearch.h"

#include <cmath>
#include <memory>
#include <new>

#include "analysis/InStream.h"
#include "analysis/SearchScanner.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

std::int64_t BlockOffset(double block, bool withHeader) {
  const double rounded = std::nearbyint(block * 16384.0);
  if (!(rounded >= 0.0 && rounded <= 2147483647.0)) throw JobError(kErrOverflow);
  return static_cast<std::int64_t>(rounded) + (withHeader ? 16 : 0);
}

extern const std::string kOutputTitle = "Output File Error";

JobResult cmdSearch_Click(const Settings& settings, JobHost& host) {
  JobResult result;
  host.enterBusy();
  std::string step;
  std::string file;
  std::unique_ptr<OutFile> out;
  try {
    const SearchWord word = ReadSearchWord(settings.searchText);
    step = "Search File - Selecting File";
    const auto rom = host.askFile(Dialog::OpenNES);
    if (!rom) {
      host.setStatus("Search Canceled");
      result.outcome = Outcome::Cancelled;
      host.leaveBusy();
      return result;
    }
    file = *rom;
    InStream in(file);
    file = StripExtension(*rom) + " Output.txt";
    step = "Search File - Opening Dump File";
    RefuseOverwrite(kOutputTitle, file, {*rom});
    out = std::make_unique<OutFile>(file);
    result.written.push_back(file);
    step = "Search File - Searching";
    WriteBanner(*out);
    out->line("--------------------");
    SearchScanner scanner(word, host, *out);
    scanner.run(in, BlockOffset(settings.block, settings.header));
    if (host.cancelRequested()) {
      const std::string at = Hex(scanner.offset());
      out->line("CANCELED at " + at);
      host.setStatus("Search Canceled at " + at);
      result.outcome = Outcome::Cancelled;
    } else if (scanner.hits() > 0) {
      host.setStatus("Search Done: " + scanner.lastMatch());
    } else {
      host.setStatus("Search Done: " + word.word + " not found.");
    }
    out->close();
  } catch (const JobError& e) {
    out.reset();
    if (e.kind() == JobError::Kind::Minor) {
      host.setStatus("Search Minor Error");
      Minor_Error_Handler(host, e.title(), e.message(), e.file());
      result.outcome = Outcome::Warned;
    } else {
      host.setStatus("Search Error");
      Error_Handler(host, e.number(), step, file);
      result.outcome = Outcome::Failed;
    }
  } catch (const std::bad_alloc&) {
    out.reset();
    host.setStatus("Search Error");
    Error_Handler(host, kErrOutOfMemory, step, file);
    result.outcome = Outcome::Failed;
  }
  host.leaveBusy();
  return result;
}

}  // namespace morvane
