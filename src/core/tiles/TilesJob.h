// The tiles job: a ROM's tiles written as a PNG sheet beside it.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// Asks for the ROM and writes "<rom without extension> Tiles.png"; reads the
// options offset, count, columns, scale, bpp, palette and layout.
JobResult TilesJob(const Settings& settings, JobHost& host);

}  // namespace morvane
