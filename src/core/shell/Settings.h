// A snapshot of the main window's settings, as a job reads them.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

// The dump modes, in the order of the option buttons.
enum Feature : int { kTableOnly = 0, kText = 1, kSpeech = 2, kMenu = 3, kCode = 4 };

struct Settings {
  // Address window.
  std::int32_t base = 0x8000;
  std::int32_t start = 0x8000;
  std::int32_t end = 0xBFFF;
  double block = 0.0;
  std::string blockText = "0.0";
  std::string startText = "8000";
  std::string endText = "BFFF";
  std::string addressText = "F000";
  bool header = true;
  int preset = 1;

  // Dump options.
  int mode = kCode;
  bool asTable = false;
  bool concat = true;
  bool withTables = true;
  bool raw = true;
  std::string phraseText = "0";
  std::string lengthText = "0";

  // Other functions.
  std::string searchText = "THE";
  bool showStrings = false;

  // CPU address of file offset 0: Base - 16 x header - 16384 x Block, rounded
  // half to even. Throws JobError (overflow) when it leaves the 32-bit range.
  std::int32_t origin() const;
  // File offset of a CPU address.
  std::int64_t offsetOf(std::int64_t address) const { return address - origin(); }
};

// The range corrections made when a job enters its busy state: a Start below
// Base moves up to Base, then an End below Start moves up to Start.
void CorrectRangeForJob(Settings& settings);

}  // namespace morvane
