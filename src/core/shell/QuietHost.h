// A host that answers dialogs from a fixed map and shows nothing: for
// benchmarks, fuzzing and other unattended runs.
#pragma once

#include <map>
#include <string>

#include "shell/JobHost.h"

namespace morvane {

class QuietHost final : public JobHost {
 public:
  std::map<Dialog, std::string> files;
  bool showStringsBox = false;

  std::optional<std::string> askFile(Dialog d) override {
    auto it = files.find(d);
    if (it == files.end()) return std::nullopt;
    return it->second;
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
};

}  // namespace morvane
