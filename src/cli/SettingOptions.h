// The window settings as command-line options. A job's subcommand offers the
// options of the settings its registry entry reads.
#pragma once

#include <string>
#include <vector>

#include "shell/JobSpec.h"
#include "shell/SettingsModel.h"

namespace morvane {

struct SettingOption {
  Setting setting;
  const char* flag;  // "--start"; a flag without a value when takesValue is false
  const char* help;
  bool takesValue;
  std::vector<std::string> choices;  // the values allowed (any when empty)
  bool ignoreCase;
  // Applies the value as a user would click or type it; returns an error
  // message, or "" when the value was taken.
  std::string (*apply)(SettingsModel& model, const std::string& value);
};

// In the order they are applied.
const std::vector<SettingOption>& SettingOptions();

}  // namespace morvane
