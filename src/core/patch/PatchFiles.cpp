#include "patch/PatchFiles.h"

#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane {

namespace {

std::size_t ExtensionStart(const std::string& path) {
  const std::size_t name = FolderOf(path).size();
  const std::size_t dot = path.rfind('.');
  return dot == std::string::npos || dot <= name ? path.size() : dot;
}

std::optional<PatchKind> KindNamed(const std::string& name) {
  if (name == "ips") return PatchKind::Ips;
  if (name == "bps") return PatchKind::Bps;
  return std::nullopt;
}

}  // namespace

std::string WithoutExtension(const std::string& path) {
  return path.substr(0, ExtensionStart(path));
}

std::string ExtensionOf(const std::string& path) {
  return path.substr(ExtensionStart(path));
}

std::string PatchPathFor(const std::string& path, PatchKind kind) {
  return WithoutExtension(path) + PatchExtension(kind);
}

std::string PatchedPathFor(const std::string& rom) {
  return WithoutExtension(rom) + "_Patched" + ExtensionOf(rom);
}

const OptionSpec kPatchOption{
    "patch", "also write a patch from the ROM to the output (give it twice for both formats)",
    OptionSpec::Takes::Many, "ips|bps"};

PatchRequest::PatchRequest(const Settings& settings, const std::string& output) : output_(output) {
  for (const std::string& name : settings.options.values(kPatchOption.name)) {
    const std::optional<PatchKind> kind = KindNamed(name);
    if (!kind) continue;
    const std::string path = PatchPathFor(output, *kind);
    bool known = false;
    for (const auto& patch : patches_) known = known || patch.first == *kind;
    if (!known) patches_.emplace_back(*kind, path);
  }
}

void PatchRequest::check(const std::string& title,
                         std::initializer_list<std::string> inputs) const {
  for (const auto& [kind, path] : patches_) {
    RefuseOverwrite(title, path, inputs);
    // Nor may it replace the output it describes.
    if (SameFile(path, output_))
      throw JobError::Minor(title, "The patch " + path + " would replace the output file.", path);
  }
}

void PatchRequest::write(JobRun& run, const std::string& original, std::string& step) const {
  if (patches_.empty()) return;
  step = "Write Patch";
  // The output is read as written, before it is put in place with the patches.
  const auto files = ReadBoth(run, original, output_);
  for (const auto& [kind, path] : patches_)
    WritePatchFile(run, step, path, kind, files.first, files.second);
}

void PatchRequest::write(JobRun& run, const std::string& original, std::string_view modified,
                         std::string& step) const {
  if (patches_.empty()) return;
  step = "Write Patch";
  run.file = original;
  const std::string source = ReadBinaryFile(original);
  for (const auto& [kind, path] : patches_) WritePatchFile(run, step, path, kind, source, modified);
}

std::pair<std::string, std::string> ReadBoth(JobRun& run, const std::string& first,
                                             const std::string& second) {
  run.file = first;
  std::string a = ReadBinaryFile(first);
  run.file = second;
  return {std::move(a), ReadBinaryFile(second)};
}

std::string Patching(std::string& step, const std::function<std::string()>& make) {
  try {
    return make();
  } catch (const JobError& e) {
    if (e.number() == kErrPatch || e.number() == kErrPatchSource) step = e.detail();
    throw;
  }
}

void WritePatchFile(JobRun& run, std::string& step, const std::string& path, PatchKind kind,
                    std::string_view source, std::string_view target) {
  run.file = path;
  OutFile out(path);
  try {
    WritePatch(kind, source, target, [&](std::string_view piece) { out.write(piece); });
  } catch (const JobError& e) {
    out.discard();
    if (e.number() == kErrPatch) step = e.detail();
    throw;
  } catch (...) {
    out.discard();
    throw;
  }
  out.close();
  run.wrote(path);
}

void WriteWholeFile(JobRun& run, const std::string& path, std::string_view bytes) {
  OutFile out(path);
  out.write(bytes);
  out.close();
  run.wrote(path);
}

}  // namespace morvane
