// Runs a pseudo-code dump over a few bytes and returns the listing after its
// header, so tests can compare the statements byte for byte.
#pragma once

#include <string>

#include "dump/DumpDriver.h"
#include "games/GameDumpModes.h"
#include "shell/Settings.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {

// range, when given, is how many bytes from the first the dump's range covers.
inline std::string DumpBody(int mode, const std::string& bytes, ScriptedHost* seen = nullptr,
                            int range = -1) {
  RegisterGameDumpModes();
  TempDir dir;
  Settings s;
  s.mode = mode;
  s.header = false;
  s.start = 0x8000;
  s.end = 0x8000 + (range < 0 ? static_cast<int>(bytes.size()) : range) - 1;
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write("p.nes", bytes));
  const JobResult result = PlainDumpJob(s, host);
  if (seen) *seen = host;
  // A dump that failed keeps its partial listing beside the name.
  const std::string all = result.written.empty() ? std::string() : Slurp(result.written[0]);
  // Thirteen header lines come first.
  std::size_t pos = 0;
  for (int i = 0; i < 13 && pos != std::string::npos; ++i) {
    pos = all.find("\r\n", pos);
    if (pos != std::string::npos) pos += 2;
  }
  return pos == std::string::npos ? std::string() : all.substr(pos);
}

}  // namespace morvane
