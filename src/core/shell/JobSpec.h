// What the job registry knows of one job: its name and help, the files it
// asks for, the settings and options it reads, where the window offers it and
// its function. The command line and the window are built from these entries.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

using JobFunction = JobResult (*)(const Settings&, JobHost&);

// The window settings a job may read; the command line offers each as an option.
enum class Setting {
  Preset,
  Address,
  Block,
  Start,
  End,
  Header,  // the address window
  Mode,
  AsTable,
  Concat,
  Phrase,
  Length,
  Tables,
  Raw,
  Trace,  // the dump options
  Word,
  ShowStrings,  // the other functions
};

// One file the job asks for, in the order it asks.
struct FileSpec {
  const char* option;  // command-line option, e.g. "--rom"
  Dialog dialog;       // the dialog the window shows for it
  const char* help;
  const char* bundled = nullptr;  // bundled file used when the option is missing
};

// An option of the job's own, beyond the window settings. Its values reach the
// job in Settings::options under its name.
struct OptionSpec {
  enum class Takes { Nothing, One, Many };  // a flag, one value, a value each time given

  const char* name;  // "format" is given as --format
  const char* help;
  Takes takes = Takes::One;
  const char* choices = nullptr;                      // "ips|bps": the values allowed
  bool (*accepts)(std::string_view value) = nullptr;  // e.g. IsHex
  const char* expected = "a valid value";             // said when accepts refuses
};

// Where the window offers a job: a button of its layout, a button it keeps
// hidden, a menu item, or nowhere (the command line only). How the window
// shows it (object name, caption, menu) is the window's own.
enum class Reach { CommandLine, Button, HiddenButton, Menu };

struct JobSpec {
  const char* name;  // the command-line word, e.g. "dump"
  const char* help;
  std::vector<FileSpec> files;
  std::vector<Setting> settings;
  std::vector<OptionSpec> options;
  Reach window = Reach::CommandLine;
  JobFunction run;

  bool reads(Setting s) const {
    return std::find(settings.begin(), settings.end(), s) != settings.end();
  }
};

}  // namespace morvane
