// The rules of the settings a job reads: the address presets, the dump modes
// and what each enables, the edit rules of the addresses and the block, and
// the busy state. The window mirrors this model; the command line and the
// tests drive it the same way a user sets things up.
#pragma once

#include <string>
#include <utility>

#include "shell/Settings.h"

namespace morvane {

// Enabled state of the settings the rules switch on and off.
struct ControlStates {
  bool presets = true;  // the six address presets
  bool modes = true;    // the five dump modes
  bool header = true;
  bool customAddress = false;  // the address base of the Custom preset
  bool asTable = false;
  bool concat = false;
  bool phrase = false;  // the first phrase and the bytes between phrases
  bool withTables = true;
  bool raw = false;
  bool trace = false;
  bool jobs = true;     // the jobs
  bool locked = false;  // block, start, end, address base and search word refuse typing
};

// The address window a dump mode puts in place when it is chosen: a preset,
// then a range and block of its own. The folder that owns the mode registers
// it (see RegisterDumpMode); the model knows no mode's range itself.
struct ModeRange {
  AddressPreset preset;
  const char* start;
  const char* end;
  const char* block;
};
void SetModeRange(int mode, const ModeRange& range);

class SettingsModel {
 public:
  SettingsModel();

  const Settings& settings() const { return s_; }
  const ControlStates& controls() const { return c_; }
  // True once Cancel has been asked for in the busy state, and always when idle.
  bool cancelRequested() const { return cancel_; }
  // The status line: the last text a job or the window put there.
  const std::string& statusLine() const { return status_; }
  bool busy() const { return !c_.jobs; }

  void chooseAddressPreset(AddressPreset preset);
  // A Feature; a mode with a registered range also sets the address window.
  void chooseMode(int mode);
  void setAsTable(bool on);
  void setWithTables(bool on);
  // Edit rules: each returns true when the text was taken, false when the box
  // went back to its previous value. The box's text is in settings() after.
  bool setAddress(const std::string& text);
  bool setStart(const std::string& text);
  bool setEnd(const std::string& text);
  bool setBlock(const std::string& text);
  // Entering the busy state corrects the range, locks the settings and clears
  // the Cancel request; leaving it unlocks them.
  void setBusy(bool busy);
  void requestCancel() { cancel_ = true; }

  // Trace greys out "w/Tables", which it does not read.
  void setTrace(bool on);

  // Settings without rules.
  void setHeader(bool on) { s_.header = on; }
  void setConcat(bool on) { s_.concat = on; }
  void setRaw(bool on) { s_.raw = on; }
  void setPhraseText(std::string text) { s_.phraseText = std::move(text); }
  void setLengthText(std::string text) { s_.lengthText = std::move(text); }
  void setSearchText(std::string text) { s_.searchText = std::move(text); }
  void setShowStrings(bool on) { s_.showStrings = on; }
  void setStatusLine(std::string text) { status_ = std::move(text); }

 private:
  void applyAsTableRule();
  void applyWithTablesRule();
  void applyTraceRule();

  Settings s_;
  ControlStates c_;
  bool cancel_ = true;
  std::string status_;
};

// Block written back into its box: the decimal number, with ".0" when whole.
std::string BlockText(double block);

}  // namespace morvane
