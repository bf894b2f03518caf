#include "insert/Insert.h"

#include <memory>
#include <new>

#include "insert/ScriptHeader.h"
#include "insert/TextInserter.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "tables/CharTable.h"

namespace morvane {

std::string SuffixedName(const std::string& path, const std::string& suffix) {
  if (path.size() < 4) throw JobError(kErrInvalidCall);
  return path.substr(0, path.size() - 4) + "_" + suffix + "." + path.substr(path.size() - 3);
}

namespace {

struct InsertFiles {
  std::string rom, script, table, output;
};

// The three dialogs; false when one was cancelled.
bool AskFiles(JobHost& host, InsertFiles& files) {
  const auto rom = host.askFile(Dialog::OpenNES);
  if (!rom) return false;
  const auto script = host.askFile(Dialog::OpenSJS);
  if (!script) return false;
  const auto table = host.askFile(Dialog::OpenTBL);
  if (!table) return false;
  files = {*rom, *script, *table, SuffixedName(*rom, "Modified")};
  RefuseOverwrite("Error during Insert", files.output, {files.rom, files.script, files.table});
  return true;
}

}  // namespace

JobResult cmdInsert_Click(const Settings&, JobHost& host) {
  JobResult result;
  host.enterBusy();
  std::string step;
  std::string image;
  std::unique_ptr<OutFile> out;
  std::size_t written = 0;  // bytes of image the passes have produced
  bool inserting = false;
  try {
    InsertFiles files;
    if (!AskFiles(host, files)) {
      result.outcome = Outcome::Cancelled;
      host.leaveBusy();
      return result;
    }
    step = "Read Table File";
    const CharTable table = ReadTableFile(files.table);
    step = "Sort Chracter Strings";
    const EncodingList list(table);
    step = "Open Files - First Pass";
    TextLines script = TextLines::FromFile(files.script);
    image = ReadBinaryFile(files.rom);
    out = std::make_unique<OutFile>(files.output);
    result.written.push_back(files.output);
    const ScriptHeader header = ReadScriptHeader(script);
    TextInserter inserter(host, step, header, table, list, script, image, written);
    inserting = true;
    inserter.run();
    inserting = false;
    out->write(image);
    out->close();
  } catch (const JobError& e) {
    // The output keeps what the passes had written when the job stopped.
    if (out && inserting) {
      try {
        out->write(std::string_view(image).substr(0, written));
        out->close();
      } catch (const JobError&) {  // the report below is the one that matters
      }
    }
    out.reset();
    result.outcome = ReportJobError(host, e, "Error during Insert:\r\n" + step, "");
  } catch (const std::bad_alloc&) {
    out.reset();
    Error_Handler(host, kErrOutOfMemory, "Error during Insert:\r\n" + step, "");
    result.outcome = Outcome::Failed;
  }
  host.leaveBusy();
  return result;
}

}  // namespace morvane
