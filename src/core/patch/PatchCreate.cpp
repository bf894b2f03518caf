#include "patch/PatchCreate.h"

#include "patch/PatchFiles.h"
#include "shell/OutputGuard.h"

namespace morvane {

JobResult PatchCreateJob(const Settings& settings, JobHost& host) {
  const JobTexts texts{.cancelled = "Patch Canceled",
                       .failed = "Patch Error",
                       .prefix = "Error during Create Patch:\r\n"};
  return RunJob(host, texts, [&](JobRun& run) {
    const std::string original = run.ask(Dialog::OpenNES);
    const std::string modified = run.ask(Dialog::OpenNES);
    const PatchKind kind =
        settings.options.value("format", "bps") == "ips" ? PatchKind::Ips : PatchKind::Bps;
    const std::string output = PatchPathFor(modified, kind);
    RefuseOverwrite("Error during Create Patch", output, {modified, original});
    run.step = "Read Files";
    const auto files = ReadBoth(run, original, modified);
    run.step = "Create Patch";
    WritePatchFile(run, run.step, output, kind, files.first, files.second);
    run.host.setStatus("Patch Created");
  });
}

}  // namespace morvane
