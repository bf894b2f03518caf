// The jobs the command line offers, each option answering one file dialog.
#pragma once

#include <vector>

#include "shell/JobHost.h"
#include "shell/Settings.h"

namespace morvane {

using JobFunction = JobResult (*)(const Settings&, JobHost&);

struct FileOption {
  const char* flag;  // e.g. "--rom"
  Dialog dialog;
  const char* help;
  const char* bundled = nullptr;  // bundled file used when the option is missing
};

struct CliJob {
  const char* name;
  const char* help;
  std::vector<FileOption> files;
  JobFunction run;  // nullptr while the job is not built yet
};

const std::vector<CliJob>& CliJobs();

}  // namespace morvane
