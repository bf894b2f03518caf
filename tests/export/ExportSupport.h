// Running the export on a ROM built in a test, and rebuilding what it wrote
// with ca65 and ld65.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"

namespace morvane::test {

// Whether ca65 and ld65 were found when the tests were configured.
bool HaveCc65();
// A corpus program built by the cc65 tools; "" when it was not built.
std::string CorpusRom(const std::string& name);
using Options = std::vector<std::pair<std::string, std::string>>;
// Exports rom (written as <stem>.nes in dir) with the job's options; the
// source written, "" when the job did not finish. error: what it reported.
std::string Export(const TempDir& dir, const std::string& stem, const std::string& rom,
                   std::string* error = nullptr, const Options& options = {});
// Assembles and links what the export wrote; the rebuilt file, "" on failure.
std::string Rebuild(const TempDir& dir, const std::string& stem);
// A 16 KiB NROM program: code at C000 (where RESET leads), NMI and IRQ at an RTI.
std::string NromWith(const std::string& code);

}  // namespace morvane::test
