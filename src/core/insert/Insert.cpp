#include "insert/Insert.h"

#include <memory>

#include "insert/ReadBack.h"
#include "insert/TextInserter.h"
#include "patch/PatchFiles.h"
#include "script/ScriptHeader.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "tables/CharTable.h"
#include "tables/TableFormat.h"

namespace morvane {

namespace {

struct InsertFiles {
  std::string rom, script, table, output;
};

InsertFiles AskFiles(JobRun& run) {
  InsertFiles files;
  files.rom = run.ask(Dialog::OpenNES);
  files.script = run.ask(Dialog::OpenSJS);
  files.table = run.ask(Dialog::OpenTBL);
  files.output = SuffixedName(files.rom, "Modified");
  RefuseOverwrite("Error during Insert", files.output, {files.rom, files.script, files.table});
  return files;
}

}  // namespace

const OptionSpec kVerifyOption{
    "verify",
    "read each inserted phrase back through the table; list those that do not read back "
    "(exit 2)",
    OptionSpec::Takes::Nothing};

JobResult InsertJob(const Settings& settings, JobHost& host) {
  std::string image;
  std::unique_ptr<OutFile> out;
  std::size_t written = 0;  // bytes of image the passes have produced
  bool inserting = false;
  return RunJob(host, {.prefix = "Error during Insert:\r\n"}, [&](JobRun& run) {
    // What the passes had written when the job stopped is kept beside the
    // output as a partial result; before the passes began there is none.
    run.onFailure = [&](const std::exception& failure) {
      if (out && inserting && dynamic_cast<const JobError*>(&failure) != nullptr) {
        try {
          out->write(std::string_view(image).substr(0, written));
          out->closeIncomplete();
        } catch (const JobError&) {  // the report of the first error is the one that matters
        }
      }
      if (out) out->discard();
      out.reset();
    };
    const InsertFiles files = AskFiles(run);
    const PatchRequest patch(settings, files.output);
    patch.check("Error during Insert", {files.rom, files.script, files.table});
    run.step = "Read Table File";
    const bool standard = ReadsStandardTables(settings);
    const StandardTable readBack = ReadJobTable(files.table, settings, run.host);
    const CharTable table = standard ? readBack.oneByteView() : ReadTableFile(files.table);
    run.step = "Sort Chracter Strings";
    const EncodingList list(table);
    run.step = "Open Files - First Pass";
    TextLines script = TextLines::FromFile(files.script);
    image = ReadBinaryFile(files.rom);
    out = std::make_unique<OutFile>(files.output);
    run.wrote(files.output);
    const ScriptHeader header = ReadScriptHeader(script);
    TextInserter inserter(run.host, run.step, header, table, list, script, image, written);
    inserter.check();
    if (standard) inserter.useStandardTable(&readBack);
    const bool verify = settings.options.has(kVerifyOption.name);
    inserter.collectFailures(verify);
    inserting = true;
    inserter.run();
    inserting = false;
    out->write(image);
    out->close();
    out.reset();
    if (verify) {
      run.step = "Verify";
      std::vector<std::string> failures = inserter.failures();
      for (std::string& failure :
           ReadBackFailures(image, inserter.placed(), TextLines::FromFile(files.script), readBack,
                            header.pointerMode == PointerMode::Length)) {
        failures.push_back(std::move(failure));
      }
      if (!failures.empty()) {
        std::string list;
        for (const std::string& failure : failures) list += "\r\n" + failure;
        throw JobError::Minor("Error during Insert",
                              std::to_string(failures.size()) +
                                  (failures.size() == 1 ? " phrase does" : " phrases do") +
                                  " not read back:" + list);
      }
      run.host.setStatus("Verified: every phrase reads back");
    }
    patch.write(run, files.rom, image, run.step);
  });
}

}  // namespace morvane
