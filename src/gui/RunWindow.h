#pragma once

namespace morvane {

// Opens the main window and runs the event loop until it closes.
int RunWindow(int argc, char** argv);

}  // namespace morvane
