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

const OptionSpec kPatchOption{"patch", "also write a patch from the ROM to the output",
                              OptionSpec::Takes::One, "ips|bps"};

PatchRequest::PatchRequest(const Settings& settings, const std::string& output)
    : kind_(KindNamed(settings.options.value(kPatchOption.name))), output_(output) {
  if (kind_) path_ = PatchPathFor(output, *kind_);
}

void PatchRequest::check(const std::string& title,
                         std::initializer_list<std::string> inputs) const {
  if (!kind_) return;
  RefuseOverwrite(title, path_, inputs);
  // Nor may it replace the output it describes.
  if (SameFile(path_, output_))
    throw JobError::Minor(title, "The patch " + path_ + " would replace the output file.", path_);
}

void PatchRequest::write(JobRun& run, const std::string& original, std::string& step) const {
  if (!kind_) return;
  step = "Write Patch";
  const auto files = ReadBoth(run, original, output_);
  run.file = path_;
  WriteWholeFile(run, path_,
                 Patching(step, [&] { return CreatePatch(*kind_, files.first, files.second); }));
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

void WriteWholeFile(JobRun& run, const std::string& path, std::string_view bytes) {
  OutFile out(path);
  out.write(bytes);
  out.close();
  run.wrote(path);
}

}  // namespace morvane
