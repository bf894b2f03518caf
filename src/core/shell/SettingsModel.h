// The rules of the main window without its widgets: presets, dump modes and
// their enable rules, the edit rules of the address boxes and the busy state.
// The window mirrors this model; the command line and the tests drive it the
// same way a user clicks.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "shell/Settings.h"

namespace morvane {

inline constexpr int kIdleHeight = 7150;
inline constexpr int kBusyHeight = 8150;
inline constexpr int kWindowWidth = 5760;

inline constexpr std::array<std::string_view, 3> kIdleTexts = {
    "Hey!  Do you always go around resizing people's windows?",
    "Was resizing the window exciting?  I dare you to hit Cancel...",
    "Yes, I know you can pull the window down and view this.",
};
inline constexpr std::string_view kBusyText = "Select Files...";

// Enabled state of the controls the rules switch.
struct ControlStates {
  bool opAddress = true;   // the six presets
  bool opFeatures = true;  // the five modes
  bool header = true;
  bool txtAddress = false;
  bool asTable = false;
  bool concat = false;
  bool phrase = false;  // lbl(22), txtPhrase, lbl(11), txtLength
  bool wTables = true;
  bool raw = false;
  bool trace = false;
  bool jobs = true;     // the job buttons
  bool locked = false;  // txtBlock, txtStart, txtEnd, txtAddress, txtSearch refuse typing
};

class SettingsModel {
 public:
  // Picks one of the three idle texts; defaults to a random choice.
  using Chooser = std::function<int()>;

  explicit SettingsModel(Chooser chooser = {});

  const Settings& settings() const { return s_; }
  const ControlStates& controls() const { return c_; }
  bool cancelFlag() const { return cancel_; }
  const std::string& statusText() const { return status_; }
  int height() const { return height_; }
  bool busy() const { return !c_.jobs; }

  // Handlers, in the names of the window's events.
  void opAddress_Click(int index);
  void opFeatures_Click(int index);
  void chkAsTable_Click(bool checked);
  void chkwTables_Click(bool checked);
  // Edit rules: each returns true when the text was taken, false when the box
  // went back to its previous value. The box's text is in settings() after.
  bool txtAddress_Change(const std::string& text);
  bool txtStart_Change(const std::string& text);
  bool txtEnd_Change(const std::string& text);
  bool txtBlock_Change(const std::string& text);
  void Enable_Controls(bool enable);
  void cmdCancel_Click() { cancel_ = true; }

  // Plain boxes without rules.
  void setHeader(bool on) { s_.header = on; }
  void setConcat(bool on) { s_.concat = on; }
  void setRaw(bool on) { s_.raw = on; }
  void setTrace(bool on) { s_.trace = on; }
  void setPhraseText(std::string text) { s_.phraseText = std::move(text); }
  void setLengthText(std::string text) { s_.lengthText = std::move(text); }
  void setSearchText(std::string text) { s_.searchText = std::move(text); }
  void setShowStrings(bool on) { s_.showStrings = on; }
  void setStatus(std::string text) { status_ = std::move(text); }

 private:
  void applyAsTableRule();
  void applyWTablesRule();

  Settings s_;
  ControlStates c_;
  Chooser chooser_;
  bool cancel_ = true;
  std::string status_ = std::string(kIdleTexts[2]);
  int height_ = kIdleHeight;
};

// Block written back into its box: the decimal number, with ".0" when whole.
std::string BlockText(double block);

}  // namespace morvane
