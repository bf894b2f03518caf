// The dump modes of the games: Portopia's speech and menu pseudo-code.
#pragma once

namespace morvane {

// Registers them with the dump; safe to call more than once.
void RegisterGameDumpModes();

}  // namespace morvane
