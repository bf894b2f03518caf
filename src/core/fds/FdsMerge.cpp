#include "fds/FdsMerge.h"

#include <memory>
#include <new>

#include "fds/DiskListing.h"
#include "fds/DiskMerger.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"

namespace morvane {

namespace {

// Created afresh: an older, longer image of that name must not keep its tail.
void WriteImage(const std::string& path, const std::string& bytes) {
  OutFile out(path);
  out.write(bytes);
  out.close();
}

}  // namespace

JobResult cmdFDSMerge_Click(const Settings& /*settings*/, JobHost& host) {
  JobResult result;
  host.enterBusy();
  std::string report = "Merge FDS Files - TXT File";
  std::string file;
  std::string output;
  std::string image;  // the merged bytes, written once the merge has ended
  std::unique_ptr<fds::DiskMerger> merger;
  try {
    const auto listing = host.askFile(Dialog::OpenTXT);
    if (!listing) {
      host.setStatus("Merge Canceled");
      result.outcome = Outcome::Cancelled;
      host.leaveBusy();
      return result;
    }
    file = *listing;
    std::string text = ReadBinaryFile(file);
    // The listing's name less " FDS Files.txt", whatever its last characters are.
    const std::size_t cut = fds::kListingSuffix.size();
    if (file.size() < cut) throw JobError(kErrInvalidCall);
    const std::string named = file.substr(0, file.size() - cut) + std::string(fds::kMergedSuffix);
    const std::string problem = OutputProblem(named, {file});
    if (!problem.empty()) {
      report = problem;
      throw JobError(fds::kErrDiskFormat);
    }
    output = named;
    merger = std::make_unique<fds::DiskMerger>(host, file, std::move(text), image, output);
    merger->run();
    merger.reset();  // done: a failure to write the image is reported as at the start
    report = "Merge FDS Files - TXT File";
    WriteImage(output, image);
    result.written.push_back(output);
  } catch (const std::exception& e) {
    const auto* job = dynamic_cast<const JobError*>(&e);
    int number = dynamic_cast<const std::bad_alloc*>(&e) ? kErrOutOfMemory : kErrInvalidCall;
    if (job != nullptr) number = job->number();
    if (merger) {
      report = merger->report();
      file = merger->file();
    }
    // The image keeps what was appended before the failure, unless the
    // failure was that the image would replace one of the files read.
    if (merger && !merger->refused()) {
      try {
        WriteImage(output, image);
        result.written.push_back(output);
      } catch (const JobError&) {  // NOLINT(bugprone-empty-catch): the first error is reported
      }
    }
    host.setStatus("FDS Merge Error");
    Error_Handler(host, number, report, file);
    result.outcome = Outcome::Failed;
  }
  host.leaveBusy();
  return result;
}

}  // namespace morvane
