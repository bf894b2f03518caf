// The job host of the command line: dialogs answered from options, boxes on
// stderr, Ctrl+C as the Cancel button.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/JobHost.h"

namespace morvane {

// A text as the terminal gets it: bytes from the user's files below 20h and
// 7Fh (ESC, BEL, CR ...) shown as {XX}, so that they can't move the cursor
// or change the terminal's state. With lines, the line ends of a message box
// (CR LF) become the terminal's LF; otherwise no line end is kept.
std::string ForConsole(std::string_view text, bool lines = false);

class CliHost final : public JobHost {
 public:
  // Answers a dialog with path; option names the command-line option for messages.
  void answer(Dialog dialog, std::string option, std::string path);
  // Records that option answers dialog, although it was not given.
  void expect(Dialog dialog, std::string option);
  void setShowStrings(bool on) { showStrings_ = on; }
  void setVerbose(bool on) { verbose_ = on; }

  std::optional<std::string> askFile(Dialog dialog) override;
  void enterBusy() override {}
  void leaveBusy() override {}
  void setStatus(const std::string& text) override;
  void setLabel(int index, const std::string& text) override;
  void yield() override {}
  bool cancelRequested() override;
  bool showStrings() override { return showStrings_; }
  void errorBox(const std::string& text) override;
  void warningBox(const std::string& title, const std::string& text) override;
  void note(const std::string& text) override;
  // The last status, then a line for each file written.
  void jobFinished(const JobResult& result) override;

  const std::string& lastStatus() const { return status_; }
  bool sawError() const { return sawError_; }
  bool sawWarning() const { return sawWarning_; }
  bool missingOption() const { return missing_; }

  // Installs the handler of Ctrl+C, SIGTERM and SIGHUP that presses Cancel.
  static void CatchInterrupt();

 private:
  struct Answer {
    std::string option;
    std::optional<std::string> path;
  };
  std::map<Dialog, std::deque<Answer>> answers_;
  std::string status_;
  bool showStrings_ = false;
  bool verbose_ = false;
  bool sawError_ = false;
  bool sawWarning_ = false;
  bool missing_ = false;
};

}  // namespace morvane
