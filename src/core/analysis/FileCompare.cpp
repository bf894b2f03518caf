#include "analysis/FileCompare.h"

#include <memory>
#include <new>
#include <optional>

#include "analysis/CompareLines.h"
#include "analysis/CompareScanner.h"
#include "analysis/InStream.h"
#include "analysis/RelativeSearch.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "tables/CharTable.h"

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

JobResult cmdCompare_Click(const Settings& settings, JobHost& host) {
  JobResult result;
  host.enterBusy();
  std::string step = "Compare Files - Selecting 1st File";
  std::string file;
  std::unique_ptr<InStream> in1;
  std::unique_ptr<InStream> in2;
  std::unique_ptr<OutFile> out;
  const auto cancelled = [&] {
    in1.reset();
    host.setStatus("Compare Canceled");
    result.outcome = Outcome::Cancelled;
    host.leaveBusy();
    return result;
  };
  try {
    CompareFiles files;
    const bool withTables = host.showStrings();
    auto chosen = host.askFile(Dialog::OpenNES);
    if (!chosen) return cancelled();
    files.file1 = file = *chosen;
    if (withTables) {
      files.table1 = host.askFile(Dialog::OpenTBL);
      if (!files.table1) return cancelled();
      file = *files.table1;
    }
    file = files.file1;
    in1 = std::make_unique<InStream>(files.file1);
    step = "Compare Files - Selecting 2nd File";
    chosen = host.askFile(Dialog::OpenNES);
    if (!chosen) return cancelled();
    files.file2 = file = *chosen;
    in2 = std::make_unique<InStream>(files.file2);
    TextMap map1;
    CharTable table2;
    if (withTables) {
      // A cancel here is an error of opening the second file, not a quiet end.
      files.table2 = host.askFile(Dialog::OpenTBL);
      if (!files.table2) throw JobError(kErrDialogCancel);
      file = *files.table1;
      map1 = ReadCompareTableFile(file);
      file = *files.table2;
      table2 = ReadTableFile(file);
    }
    file = StripExtension(files.file1) + " Compare.txt";
    step = "Compare Files - Opening Dump File";
    RefuseOverwrite(
        kOutputTitle, file,
        {files.file1, files.file2, files.table1.value_or(""), files.table2.value_or("")});
    out = std::make_unique<OutFile>(file);
    result.written.push_back(file);
    const std::int64_t start = BlockOffset(settings.block, false);
    host.setStatus("Starting...");
    step = "Compare Files - Comparing";
    file = files.file1 + " or " + files.file2 + " or " + out->path();
    WriteCompareHeader(*out, files.file1, files.file2, start);
    CompareScanner scanner(host, *out, withTables ? &map1 : nullptr,
                           withTables ? &table2.text : nullptr);
    scanner.run(*in1, *in2, start);
    const bool stopped = host.cancelRequested();
    scanner.finish(stopped, in1->size(), in2->size());
    if (stopped) result.outcome = Outcome::Cancelled;
    out->close();
  } catch (const JobError& e) {
    out.reset();
    host.setStatus("Compare Error");
    result.outcome = ReportJobError(host, e, step, file);
  } catch (const std::bad_alloc&) {
    out.reset();
    host.setStatus("Compare Error");
    Error_Handler(host, kErrOutOfMemory, step, file);
    result.outcome = Outcome::Failed;
  }
  host.leaveBusy();
  return result;
}

}  // namespace morvane
