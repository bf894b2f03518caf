#include "insert/Insert.h"

#include <memory>

#include "insert/TextInserter.h"
#include "patch/PatchFiles.h"
#include "script/ScriptHeader.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "tables/CharTable.h"

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
    const CharTable table = ReadTableFile(files.table);
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
    inserting = true;
    inserter.run();
    inserting = false;
    out->write(image);
    out->close();
    out.reset();
    patch.write(run, files.rom, image, run.step);
  });
}

}  // namespace morvane
