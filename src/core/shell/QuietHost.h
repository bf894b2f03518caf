// A host that answers dialogs from a fixed map and shows nothing: for
// benchmarks, fuzzing and other unattended runs.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "shell/JobHost.h"

namespace morvane {

class QuietHost final : public JobHost {
 public:
  // Each dialog answers with its files in turn, starting again after the last.
  std::map<Dialog, std::vector<std::string>> files;
  bool showStringsBox = false;

  std::optional<std::string> askFile(Dialog d) override {
    auto it = files.find(d);
    if (it == files.end() || it->second.empty()) return std::nullopt;
    return it->second[asked_[d]++ % it->second.size()];
  }
  void enterBusy() override {}
  void leaveBusy() override {}
  void setStatus(const std::string&) override {}
  void setLabel(int, const std::string&) override {}
  void yield() override {}
  bool cancelRequested() override { return false; }
  bool showStrings() override { return showStringsBox; }
  void errorBox(const std::string&) override {}
  void warningBox(const std::string&, const std::string&) override {}

 private:
  std::map<Dialog, std::size_t> asked_;
};

}  // namespace morvane
