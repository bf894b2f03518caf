#include "patch/PatchApply.h"

#include "patch/PatchFiles.h"
#include "patch/PatchInput.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutputGuard.h"

namespace morvane {

JobResult PatchApplyJob(const Settings&, JobHost& host) {
  const JobTexts texts{.cancelled = "Patch Canceled",
                       .failed = "Patch Error",
                       .prefix = "Apply Patch stopped: ",
                       .plain = true};
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
    // A patch made for another file blames the ROM; any other fault the patch.
    run.onFailure = [&run, rom, patchPath](const std::exception& e) {
      const auto* error = dynamic_cast<const JobError*>(&e);
      if (error != nullptr && error->number() == kErrPatchSource) run.file = rom;
      if (error != nullptr && error->number() == kErrPatch) run.file = patchPath;
    };
    const std::string target =
        Patching(run.step, [&] { return ApplyPatch(std::move(source), patch); });
    run.onFailure = nullptr;
    run.step = "Write Patched File";
    run.file = output;
    WriteWholeFile(run, output, target);
    run.host.setStatus("Patch Applied");
  });
}

}  // namespace morvane
