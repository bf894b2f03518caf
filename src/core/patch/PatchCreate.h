// Create Patch... of the Tools menu: the patch that makes the modified file
// of the original, beside the modified file.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

inline constexpr DialogSpec kOpenOriginalSpec{
    "cdbOpenOriginal", "Select Original File",
    "NES Files|*.nes|FDS Files|*.fds|Binary Files|*.bin|All Files|*.*", ""};
inline constexpr DialogSpec kOpenModifiedSpec{
    "cdbOpenModified", "Select Modified File",
    "NES Files|*.nes|FDS Files|*.fds|Binary Files|*.bin|All Files|*.*", ""};
inline constexpr Dialog kOpenOriginal{kOpenOriginalSpec};
inline constexpr Dialog kOpenModified{kOpenModifiedSpec};

// Option "format": ips or bps (the default). The same file twice, or two
// files with the same bytes, are refused.
JobResult PatchCreateJob(const Settings& settings, JobHost& host);

}  // namespace morvane
