// Where patches and patched files go, and the patch that a job changing a
// ROM writes beside its output when asked to (option "patch": ips or bps).
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "patch/PatchFormat.h"
#include "shell/JobFrame.h"
#include "shell/JobSpec.h"

namespace morvane {

// "dir/game.nes" gives "dir/game" and ".nes"; a name without a dot, or whose
// only dot comes first, has no extension.
std::string WithoutExtension(const std::string& path);
std::string ExtensionOf(const std::string& path);

// "dir/game.nes" gives "dir/game.bps".
std::string PatchPathFor(const std::string& path, PatchKind kind);
// "dir/game.nes" gives "dir/game_Patched.nes".
std::string PatchedPathFor(const std::string& rom);

// The option of the jobs that change a ROM.
extern const OptionSpec kPatchOption;

// The patches a job is asked to write beside its output: none, one, or one
// of each format when the option is given twice.
class PatchRequest {
 public:
  PatchRequest(const Settings& settings, const std::string& output);

  bool asked() const { return !patches_.empty(); }
  // Refuses a patch the output guard forbids, before the job writes anything;
  // inputs are the job's, its ROM first.
  void check(const std::string& title, std::initializer_list<std::string> inputs) const;
  // Writes each patch from original to the output and records it; a patch
  // that can't be made names its reason in step.
  void write(JobRun& run, const std::string& original, std::string& step) const;
  // The same from the output's bytes, which the job still holds.
  void write(JobRun& run, const std::string& original, std::string_view modified,
             std::string& step) const;

 private:
  std::vector<std::pair<PatchKind, std::string>> patches_;  // format and path
  std::string output_;
};

// The bytes of two files, read in turn with run.file naming each.
std::pair<std::string, std::string> ReadBoth(JobRun& run, const std::string& first,
                                             const std::string& second);

// What make returns; a patch problem it throws is named as the step.
std::string Patching(std::string& step, const std::function<std::string()>& make);

// Writes the patch that makes target of source as the whole of path, piece by
// piece, and records it; a patch that can't be made leaves path as it was and
// names its reason in step.
void WritePatchFile(JobRun& run, std::string& step, const std::string& path, PatchKind kind,
                    std::string_view source, std::string_view target);

// Writes bytes as the whole of path and records it on run.
void WriteWholeFile(JobRun& run, const std::string& path, std::string_view bytes);

}  // namespace morvane
