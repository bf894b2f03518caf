#include "games/PortopiaInsert.h"

#include <new>
#include <optional>

#include "games/PortopiaInserter.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"

namespace morvane {

JobResult cmdInsertPortopia_Click(const Settings&, JobHost& host) {
  JobResult result;
  host.enterBusy();
  const auto rom = host.askFile(Dialog::OpenNES);
  const auto script = rom ? host.askFile(Dialog::OpenSJS) : std::nullopt;
  const auto table = script ? host.askFile(Dialog::OpenTBL) : std::nullopt;
  if (!table) {
    result.outcome = Outcome::Cancelled;
    host.leaveBusy();
    return result;
  }
  const std::string extension = rom->size() > 3 ? rom->substr(rom->size() - 3) : *rom;
  const std::string outPath = ModifiedName(*rom, "_Modified." + extension);
  std::string step;
  PortopiaInserter inserter(host, step);
  try {
    RefuseOverwrite("Error during Insert", outPath, {*rom, *script, *table});
    inserter.run(*rom, *script, *table, outPath);
  } catch (const JobError& e) {
    result.outcome = ReportJobError(host, e, "Error during Insert:\r\n" + step, "");
  } catch (const std::bad_alloc&) {
    Error_Handler(host, kErrOutOfMemory, "Error during Insert:\r\n" + step, "");
    result.outcome = Outcome::Failed;
  }
  inserter.close();
  if (inserter.opened()) result.written.push_back(outPath);
  host.leaveBusy();
  return result;
}

}  // namespace morvane
