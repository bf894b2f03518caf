// Every job of the program, one entry each, in the order the command line
// lists them. The command line's subcommands and the window's job buttons and
// menu items are built from this table.
#pragma once

#include <string_view>
#include <vector>

#include "shell/JobSpec.h"

namespace morvane {

const std::vector<JobSpec>& Jobs();
// The job of a command-line word, or nullptr.
const JobSpec* FindJob(std::string_view name);

}  // namespace morvane
