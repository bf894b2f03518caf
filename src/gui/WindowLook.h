// The main window's look that the rules do not decide: its size in twips in
// the idle and busy states, the texts of its status line, and the object name
// and caption of each job's button or menu item.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "shell/JobSpec.h"

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

// Picks one of the idle texts each time the window goes idle; by default a
// random choice.
using IdleTextChooser = std::function<int()>;

// How the window shows a job it offers (JobSpec::window says where).
struct JobLook {
  const char* object;   // object name, e.g. "cmdDump"
  const char* caption;  // button or menu text
  const char* menu;     // the menu of a menu item; nullptr for the Jobs menu
};

// The look of the job; a job without an entry of its own shows its name.
JobLook LookOf(const JobSpec& job);

}  // namespace morvane
