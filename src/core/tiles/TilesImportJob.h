// The tiles import job: a PNG tile sheet encoded back into a copy of a ROM.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

inline constexpr DialogSpec kOpenPngSpec{"cdbOpenPng", "Select PNG File to Read",
                                         "PNG Files|*.png|All Files|*.*", ""};
inline constexpr Dialog kOpenPng{kOpenPngSpec};

// Asks for the ROM and the PNG, and writes "<rom stem>_Modified<ext>" (and
// the patch when asked); reads the options offset, count, columns, bpp,
// palette and layout as the tiles job does.
JobResult TilesImportJob(const Settings& settings, JobHost& host);

}  // namespace morvane
