// The Text button of the Insert frame: a translated script into a copy of a ROM.
#pragma once

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

// The output beside path: its last four characters give way to "_" + suffix +
// "." + its last three (game.nes with "Modified" gives game_Modified.nes).
std::string SuffixedName(const std::string& path, const std::string& suffix);

JobResult cmdInsert_Click(const Settings& settings, JobHost& host);

}  // namespace morvane
