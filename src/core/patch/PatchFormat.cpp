#include "patch/PatchFormat.h"

#include "patch/Bps.h"
#include "patch/Ips.h"
#include "patch/PatchInput.h"
#include "shell/JobError.h"

namespace morvane {

void PatchFault(std::string message) {
  throw JobError(kErrPatch, std::move(message));
}

void SourceFault(std::string message) {
  throw JobError(kErrPatchSource, std::move(message));
}

std::optional<PatchKind> PatchKindOf(std::string_view patch) {
  if (patch.starts_with("PATCH")) return PatchKind::Ips;
  if (patch.starts_with("BPS1")) return PatchKind::Bps;
  return std::nullopt;
}

const char* PatchExtension(PatchKind kind) {
  return kind == PatchKind::Ips ? ".ips" : ".bps";
}

std::string CreatePatch(PatchKind kind, std::string_view source, std::string_view target) {
  return kind == PatchKind::Ips ? CreateIps(source, target) : CreateBps(source, target);
}

void WritePatch(PatchKind kind, std::string_view source, std::string_view target,
                const PatchSink& sink) {
  if (kind == PatchKind::Ips)
    WriteIps(source, target, sink);
  else
    WriteBps(source, target, sink);
}

std::string ApplyPatch(std::string_view source, std::string_view patch) {
  PatchInput in(patch);
  return ApplyPatch(std::string(source), in);
}

std::string ApplyPatch(std::string source, PatchInput& patch) {
  patch.seek(0);
  const auto kind = PatchKindOf(patch.ahead(5));
  if (!kind) PatchFault("This is neither an IPS patch (\"PATCH\") nor a BPS patch (\"BPS1\").");
  return *kind == PatchKind::Ips ? ApplyIps(std::move(source), patch) : ApplyBps(source, patch);
}

void PutBigEndian(std::string& out, std::size_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
    out += static_cast<char>((value >> shift) & 0xFF);
}

std::size_t GetBigEndian(std::string_view bytes, std::size_t pos, int count) {
  std::size_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[pos + i]);
  return value;
}

}  // namespace morvane
