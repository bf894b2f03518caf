// The window is a program of its own, morvane-window, installed beside
// morvane: the command line links no Qt.
#pragma once

namespace morvane {

inline constexpr const char* kWindowProgram = "morvane-window";

// Replaces this process with the window program beside it, handing on the
// arguments. Returns only when that fails, with the exit status to use.
int StartWindow(int argc, char** argv);

}  // namespace morvane
