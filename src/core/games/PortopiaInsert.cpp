#include "games/PortopiaInsert.h"

#include "games/PortopiaInserter.h"
#include "patch/PatchFiles.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutputGuard.h"

namespace morvane {

JobResult PortopiaInsertJob(const Settings& settings, JobHost& host) {
  std::string step;
  PortopiaInserter inserter(host, step);
  inserter.tableSettings = settings;
  std::string outPath;
  return RunJob(host, {.prefix = "Error during Insert:\r\n"}, [&](JobRun& run) {
    const std::string rom = run.ask(Dialog::OpenNES);
    const std::string script = run.ask(Dialog::OpenSJS);
    const std::string table = run.ask(Dialog::OpenTBL);
    outPath = ModifiedName(rom, "_Modified." + LastThreeChars(rom));
    // What was written so far stays.
    run.onFailure = [&](const std::exception&) {
      inserter.close();
      if (inserter.opened()) run.wrote(outPath);
      run.step = step;
    };
    RefuseOverwrite("Error during Insert", outPath, {rom, script, table});
    const PatchRequest patch(settings, outPath);
    patch.check("Error during Insert", {rom, script, table});
    inserter.run(rom, script, table, outPath);
    inserter.close();
    run.wrote(outPath);
    run.onFailure = [&](const std::exception&) { run.step = step; };
    patch.write(run, rom, step);
  });
}

}  // namespace morvane
