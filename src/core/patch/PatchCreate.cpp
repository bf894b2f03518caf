#include "patch/PatchCreate.h"

#include "patch/PatchFiles.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutputGuard.h"

namespace morvane {

JobResult PatchCreateJob(const Settings& settings, JobHost& host) {
  const JobTexts texts{.cancelled = "Patch Canceled",
                       .failed = "Patch Error",
                       .prefix = "Create Patch stopped: ",
                       .plain = true};
  return RunJob(host, texts, [&](JobRun& run) {
    const std::string original = run.ask(kOpenOriginal);
    const std::string modified = run.ask(kOpenModified);
    if (SameFile(original, modified)) {
      throw JobError::Minor("Create Patch",
                            "The original and the modified file are the same file. Choose the "
                            "file as it was first, then the file you changed.",
                            modified);
    }
    const PatchKind kind =
        settings.options.value("format", "bps") == "ips" ? PatchKind::Ips : PatchKind::Bps;
    const std::string output = PatchPathFor(modified, kind);
    RefuseOverwrite("Error during Create Patch", output, {modified, original});
    run.step = "Read Files";
    const auto files = ReadBoth(run, original, modified);
    if (files.first == files.second) {
      throw JobError::Minor("Create Patch",
                            "The modified file has the same bytes as the original file: a patch "
                            "would change nothing.\r\n\r\nOriginal file: " +
                                original,
                            modified);
    }
    run.step = "Create Patch";
    WritePatchFile(run, run.step, output, kind, files.first, files.second);
    run.host.setStatus("Patch Created");
  });
}

}  // namespace morvane
