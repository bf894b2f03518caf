// Every job of the registry with small well-formed inputs, for the tests that
// run them all the same way: each way of running a job (a dump per mode, the
// traced dump, ...), its dialogs and the files that answer them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "shell/JobHost.h"
#include "shell/Settings.h"
#include "support/ScriptedHost.h"

namespace morvane::test {

using JobFn = JobResult (*)(const Settings&, JobHost&);

struct Job {
  std::string name;
  JobFn run;
  std::vector<std::pair<Dialog, std::string>> files;  // dialog, file name in the folder
  int mode = kCode;
  bool withTables = false;
  std::string patch = {};                 // the option "patch" of the jobs that change a ROM
  std::string job = {};                   // the registry's word for it
  std::vector<std::string> options = {};  // the command-line option of each file
  bool trace = false;
  bool showStrings = false;
  std::vector<std::pair<std::string, std::string>> values = {};  // the job's own options
};

const std::vector<Job>& Jobs();
// The registry's jobs and file options that no entry of Jobs() runs or gives.
std::vector<std::string> Uncovered();
const Job& JobNamed(const std::string& name);
// The input files by name, with their bytes.
const std::map<std::string, std::string>& Inputs();
void WriteInputs(const std::string& folder);
// Runs job on the inputs in folder, each dialog answered with its file.
JobResult RunOn(const Job& job, ScriptedHost& host, const std::string& folder);

// The names in a folder, not descending.
std::set<std::string> Names(const std::string& folder);
// Every file and folder under root, as paths relative to it.
std::set<std::string> Tree(const std::string& root);
void ExpectInputsUnchanged(const std::string& folder, const std::string& what);

}  // namespace morvane::test
