// Patch files, IPS and BPS: which one a file is, and creating or applying
// either. Source is the original file, target the modified one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "patch/PatchSink.h"

namespace morvane {

class PatchInput;

enum class PatchKind { Ips, Bps };

// Error number of a patch that can't be made or applied; the error's detail
// says why.
inline constexpr int kErrPatch = 1000;
// The same for a file the patch was not made for: the file, not the patch, is at fault.
inline constexpr int kErrPatchSource = 1001;

// Throws JobError(kErrPatch, message).
[[noreturn]] void PatchFault(std::string message);
// Throws JobError(kErrPatchSource, message).
[[noreturn]] void SourceFault(std::string message);

// The kind a patch announces by its first bytes; nullopt for neither.
std::optional<PatchKind> PatchKindOf(std::string_view patch);
// ".ips" or ".bps".
const char* PatchExtension(PatchKind kind);

std::string CreatePatch(PatchKind kind, std::string_view source, std::string_view target);
// The same patch, handed to sink piece by piece.
void WritePatch(PatchKind kind, std::string_view source, std::string_view target,
                const PatchSink& sink);
// The target that patch makes of source; the patch kind is read from its first bytes.
std::string ApplyPatch(std::string_view source, std::string_view patch);
// The same, the patch read a window at a time, and an IPS result made in place
// of the source.
std::string ApplyPatch(std::string source, PatchInput& patch);

// Big-endian numbers of IPS patches.
void PutBigEndian(std::string& out, std::size_t value, int bytes);
std::size_t GetBigEndian(std::string_view bytes, std::size_t pos, int count);

}  // namespace morvane
