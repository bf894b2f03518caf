// Apply Patch... of the Tools menu: an IPS or BPS patch applied to a copy of
// a ROM, written beside it as "_Patched" with the ROM's extension.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

inline constexpr DialogSpec kOpenPatchSpec{"cdbOpenPatch", "Select Patch File to Read",
                                           "Patch Files|*.ips;*.bps|IPS Files|*.ips|"
                                           "BPS Files|*.bps|All Files|*.*",
                                           ""};
inline constexpr Dialog kOpenPatch{kOpenPatchSpec};

// Nothing is written when the patch is refused: not IPS or BPS, damaged, made
// for another file, or its result fails the patch's checksum.
JobResult PatchApplyJob(const Settings& settings, JobHost& host);

}  // namespace morvane
