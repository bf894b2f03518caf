// The temporary files of outputs not yet in place, known so that they can be
// removed at once when the program is stopped.
#pragma once

namespace morvane {

// Records name (owned by the caller until untracked); returns its slot, or -1
// when the table is full and the file goes unrecorded.
int TrackTempFile(const char* name) noexcept;
// Forgets the file in slot, if it still holds name.
void UntrackTempFile(int slot, const char* name) noexcept;

// Removes every temporary file still recorded. Safe to call from a signal
// handler: the command line calls it when Ctrl+C or a request to stop ends a
// job at once, so that no temporary file is left behind.
void RemoveOpenTempFiles() noexcept;

}  // namespace morvane
