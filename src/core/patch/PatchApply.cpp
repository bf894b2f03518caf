#include "patch/PatchApply.h"

#include "patch/PatchFiles.h"
#include "patch/PatchInput.h"
#include "shell/InFile.h"
#include "shell/OutputGuard.h"

namespace morvane {

JobResult PatchApplyJob(const Settings&, JobHost& host) {
  const JobTexts texts{.cancelled = "Patch Canceled",
                       .failed = "Patch Error",
                       .prefix = "Error during Apply Patch:\r\n"};
  return RunJob(host, texts, [&](JobRun& run) {
    const std::string rom = run.ask(Dialog::OpenNES);
    const std::string patchPath = run.ask(kOpenPatch);
    const std::string output = PatchedPathFor(rom);
    RefuseOverwrite("Error during Apply Patch", output, {rom, patchPath});
    run.step = "Read Files";
    run.file = rom;
    std::string source = ReadBinaryFile(rom);
    run.file = patchPath;
    // Read a window at a time while it is applied: a large patch is never held whole.
    PatchInput patch = PatchInput::FromFile(patchPath);
    run.step = "Apply Patch";
    const std::string target =
        Patching(run.step, [&] { return ApplyPatch(std::move(source), patch); });
    run.step = "Write Patched File";
    run.file = output;
    WriteWholeFile(run, output, target);
    run.host.setStatus("Patch Applied");
  });
}

}  // namespace morvane
