#include "fds/FdsMerge.h"

#include <memory>

#include "fds/DiskListing.h"
#include "fds/DiskMerger.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// Created afresh: an older, longer image of that name must not keep its tail.
// A partial image is kept beside the earlier one.
void WriteImage(const std::string& path, const std::string& bytes, bool complete) {
  OutFile out(path);
  out.write(bytes);
  if (complete) {
    out.close();
  } else {
    out.closeIncomplete();
  }
}

}  // namespace

JobResult FdsMergeJob(const Settings& /*settings*/, JobHost& host) {
  std::string output;
  std::string image;  // the merged bytes, written once the merge has ended
  std::unique_ptr<fds::DiskMerger> merger;
  const JobTexts texts{.cancelled = "Merge Canceled", .failed = "FDS Merge Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    run.step = "Merge FDS Files - TXT File";
    run.onFailure = [&](const std::exception&) {
      if (!merger) return;
      run.step = merger->report();
      run.file = merger->file();
      // The image keeps what was appended before the failure, unless the
      // failure was that the image would replace one of the files read.
      if (merger->refused()) return;
      WriteImage(output, image, false);
      run.wrote(output);
    };
    run.file = run.ask(Dialog::OpenTXT);
    const std::string& file = run.file;
    std::string text = ReadBinaryFile(file);
    // The listing's name less " FDS Files.txt", whatever its last characters are.
    const std::size_t cut = fds::kListingSuffix.size();
    if (file.size() < cut) {
      throw JobError(
          kErrInvalidCall, {},
          "The name " + file + " is too short: the image is named after it less its last " +
              std::to_string(cut) + " characters (\"" + std::string(fds::kListingSuffix) + "\").");
    }
    const std::string named =
        file.substr(0, LastCharsStart(file, cut)) + std::string(fds::kMergedSuffix);
    const std::string problem = OutputProblem(named, {file});
    if (!problem.empty()) {
      run.step = problem;
      throw JobError(fds::kErrDiskFormat);
    }
    output = named;
    merger = std::make_unique<fds::DiskMerger>(run.host, file, std::move(text), image, output);
    merger->run();
    merger.reset();  // done: a failure to write the image is reported as at the start
    run.step = "Merge FDS Files - TXT File";
    run.file = output;  // an image that can't be written is named
    WriteImage(output, image, true);
    run.wrote(output);
  });
}

}  // namespace morvane
