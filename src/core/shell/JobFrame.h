// The frame every job runs in: the busy state, the job's single error exit and
// the report of how it ended. A job's body only does its work; it throws
// JobError (a cancelled dialog included) and the frame reports it.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "shell/JobHost.h"

namespace morvane {

// The status texts a job shows when it ends early; "" leaves the status as it is.
struct JobTexts {
  std::string_view cancelled = {};  // a file dialog was cancelled
  std::string_view failed = {};     // a run-time failure
  std::string_view minor = {};      // a problem found in the user's files
  std::string_view prefix = {};     // put before the step in the job error box
  // Failures are told plainly: the prefix, what went wrong and the file at
  // fault, without the error number of the classic job error box.
  bool plain = false;
};

// What a running job tells its frame.
class JobRun {
 public:
  explicit JobRun(JobHost& h) : host(h) {}

  // The file chosen in a dialog; Cancel ends the job quietly.
  std::string ask(Dialog dialog);
  // Records a file the job has created, whatever becomes of the job.
  void wrote(std::string path) { result.written.push_back(std::move(path)); }

  JobHost& host;
  std::string step;  // what was running, for the error box
  std::string file;  // the file being accessed, for the error box
  JobResult result;
  // Runs after a failure and before its report, while the job's own state is
  // still alive: keeps partial output (OutFile::closeIncomplete), may refine
  // step and file.
  std::function<void(const std::exception&)> onFailure;
  // The job's complete outputs stand on their own (the files a disk split
  // extracts): they are put in place even when the job does not end well.
  // Otherwise a job's complete outputs appear together or not at all.
  bool keepsCompleteOutputs = false;
};

// Runs body between the busy and idle states. A JobError of kind Cancel ends
// the job as cancelled, Minor with its warning box, Run with the job error box
// (step and file from the run); any other exception counts as an invalid call,
// bad_alloc as out of memory. The job's outputs wait until it has ended
// (shell/PendingOutputs.h): all are put in place when it ends well, else
// only its partial results, beside their names. Hands the result, with the
// names the outputs were left under, to host.jobFinished.
JobResult RunJob(JobHost& host, const JobTexts& texts, const std::function<void(JobRun&)>& body);

}  // namespace morvane
