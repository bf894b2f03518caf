// A snapshot of the main window's settings, as a job reads them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace morvane {

// The dump modes, in the order of the option buttons.
enum Feature : int { kTableOnly = 0, kText = 1, kSpeech = 2, kMenu = 3, kCode = 4 };
inline constexpr int kModeCount = 5;

// The address presets, in the order of the option buttons: each sets the
// address base, the range and (but for E000) the block; Custom takes the base
// from its own box.
enum class AddressPreset : int { At6000, At8000, AtC000, AtA000, AtE000, Custom };
inline constexpr int kPresetCount = 6;

// The values of a job's own options (see OptionSpec), by option name: one
// entry per time given; a flag given has one empty value.
class JobOptions {
 public:
  void add(const std::string& name, std::string value) {
    values_[name].push_back(std::move(value));
  }
  bool has(const std::string& name) const { return values_.count(name) != 0; }
  // The value given last, or fallback.
  std::string value(const std::string& name, const std::string& fallback = {}) const;
  // Every value given, in order.
  std::vector<std::string> values(const std::string& name) const;

 private:
  std::map<std::string, std::vector<std::string>> values_;
};

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
  AddressPreset preset = AddressPreset::At8000;

  // Dump options.
  int mode = kCode;
  bool asTable = false;
  bool concat = true;
  bool withTables = true;
  bool raw = true;
  bool trace = false;  // 8-bit Code: the Table List is the one the trace finds
  std::string phraseText = "0";
  std::string lengthText = "0";

  // Other functions.
  std::string searchText = "THE";
  bool showStrings = false;

  // Options of the job being run that the window has no control for.
  JobOptions options;

  // CPU address of file offset 0: Base - 16 x header - 16384 x Block, rounded
  // half to even. Throws JobError (overflow) when it leaves the 32-bit range.
  std::int32_t origin() const;
  // File offset of a CPU address.
  std::int64_t offsetOf(std::int64_t address) const { return address - origin(); }
};

// The address rules, all here: Settings::origin for the dump (CPU address to
// file offset), BlockOffset for the scans of search and compare, and the range
// correction of the busy state. The two offset rules round at different points,
// as the dump and the scans always have, so they are kept apart.

// File offset where a scan starts: the block (rounded to the nearest byte,
// halves to even) plus the header when withHeader. Throws JobError (overflow)
// beyond a 32-bit offset.
std::int64_t BlockOffset(double block, bool withHeader);

// The range corrections made when a job enters its busy state: a Start below
// Base moves up to Base, then an End below Start moves up to Start.
void CorrectRangeForJob(Settings& settings);

}  // namespace morvane
