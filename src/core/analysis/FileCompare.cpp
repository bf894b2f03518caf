#include "analysis/FileCompare.h"

#include <optional>

#include "analysis/CompareLines.h"
#include "analysis/CompareScanner.h"
#include "analysis/InStream.h"
#include "analysis/RelativeSearch.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"
#include "tables/CharTable.h"
#include "tables/TableFormat.h"

namespace morvane {

namespace {

// What the dialogs gave, in the order they were asked.
struct CompareFiles {
  std::string file1;
  std::string file2;
  std::optional<std::string> table1;
  std::optional<std::string> table2;
};

}  // namespace

JobResult CompareJob(const Settings& settings, JobHost& host) {
  const JobTexts texts{
      .cancelled = "Compare Canceled", .failed = "Compare Error", .minor = "Compare Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    std::string& file = run.file;
    run.step = "Compare Files - Selecting 1st File";
    CompareFiles files;
    const bool withTables = run.host.showStrings();
    files.file1 = file = run.ask(Dialog::OpenNES);
    if (withTables) files.table1 = file = run.ask(Dialog::OpenTBL);
    file = files.file1;
    InStream in1(files.file1);
    run.step = "Compare Files - Selecting 2nd File";
    files.file2 = file = run.ask(Dialog::OpenNES);
    InStream in2(files.file2);
    TextMap map1;
    CharTable table2;
    if (withTables) {
      // A cancel here is an error of opening the second file, not a quiet end.
      files.table2 = run.host.askFile(Dialog::OpenTBL);
      if (!files.table2) throw JobError(kErrDialogCancel);
      file = *files.table1;
      map1 = ReadJobCompareTable(file, settings, run.host);
      file = *files.table2;
      table2 = ReadJobCharTable(file, settings, run.host);
    }
    file = StripExtension(files.file1) + " Compare.txt";
    run.step = "Compare Files - Opening Dump File";
    RefuseOverwrite(
        kOutputTitle, file,
        {files.file1, files.file2, files.table1.value_or(""), files.table2.value_or("")});
    OutFile out(file);
    run.wrote(file);
    const std::int64_t start = BlockOffset(settings.block, false);
    run.host.setStatus("Starting...");
    run.step = "Compare Files - Comparing";
    file = files.file1 + " or " + files.file2 + " or " + out.path();
    WriteCompareHeader(out, files.file1, files.file2, start);
    CompareScanner scanner(run.host, out, withTables ? &map1 : nullptr,
                           withTables ? &table2.text : nullptr);
    scanner.run(in1, in2, start);
    const bool stopped = run.host.cancelRequested();
    scanner.finish(stopped, in1.size(), in2.size());
    if (stopped) run.result.outcome = Outcome::Cancelled;
    // A comparison stopped early is a partial result, kept beside the last whole one.
    if (run.result.outcome == Outcome::Cancelled) {
      out.closeIncomplete();
    } else {
      out.close();
    }
  });
}

}  // namespace morvane
