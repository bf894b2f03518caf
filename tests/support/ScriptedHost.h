// A job host for tests: dialogs answered from a script, everything the job
// shows recorded for inspection.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "shell/JobError.h"
#include "shell/JobHost.h"
#include "shell/Reports.h"

namespace morvane {

class ScriptedHost : public JobHost {
 public:
  // Queues an answer for a dialog; nullopt answers Cancel.
  ScriptedHost& answer(Dialog dialog, std::optional<std::string> path) {
    answers_[dialog].push_back(std::move(path));
    return *this;
  }
  // Cancel is pressed once the job has yielded this many times.
  void cancelAfterYields(int count) { cancelAfter_ = count; }
  void setShowStrings(bool on) { showStrings_ = on; }

  std::optional<std::string> askFile(Dialog dialog) override;
  void enterBusy() override;
  void leaveBusy() override;
  void setStatus(const std::string& text) override { statuses.push_back(text); }
  void setLabel(int index, const std::string& text) override { labels[index] = text; }
  void yield() override { ++yields; }
  bool cancelRequested() override;
  bool showStrings() override { return showStrings_; }
  void errorBox(const std::string& text) override { errors.push_back(text); }
  void warningBox(const std::string& title, const std::string& text) override {
    warnings.emplace_back(title, text);
  }

  void jobFinished(const JobResult& result) override { finished.push_back(result); }

  std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }

  std::vector<Dialog> asked;
  std::vector<std::string> statuses;
  std::map<int, std::string> labels;
  std::vector<std::string> errors;
  std::vector<std::pair<std::string, std::string>> warnings;
  std::vector<JobResult> finished;
  int yields = 0;
  int busyEntered = 0;
  int busyLeft = 0;
  bool busy = false;

 private:
  std::map<Dialog, std::deque<std::optional<std::string>>> answers_;
  int cancelAfter_ = -1;
  bool showStrings_ = false;
};

// Runs read; a file it rejects shows its warning box on host as a job's error
// exit would, and gives false. Other errors pass through.
template <typename Read>
bool Reported(ScriptedHost& host, Read read) {
  try {
    read();
    return true;
  } catch (const JobError& e) {
    if (e.kind() != JobError::Kind::Minor) throw;
    Minor_Error_Handler(host, e.title(), e.message(), e.file());
    return false;
  }
}

}  // namespace morvane
