#include "fds/FdsMerge.h"

#include <memory>
#include <new>

#include "fds/DiskListing.h"
#include "fds/DiskMerger.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/Reports.h"

namespace morvane {

JobResult cmdFDSMerge_Click(const Settings& /*settings*/, JobHost& host) {
  JobResult result;
  host.enterBusy();
  std::string report = "Merge FDS Files - TXT File";
  std::string file;
  std::unique_ptr<OutFile> image;
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
    const std::string output = file.substr(0, file.size() - cut) + std::string(fds::kMergedSuffix);
    if (SameFile(output, file)) {
      report = "The merged image would overwrite the listing";
      throw JobError(fds::kErrDiskFormat);
    }
    // Created afresh: an older, longer image of that name must not keep its tail.
    image = std::make_unique<OutFile>(output);
    result.written.push_back(output);
    merger = std::make_unique<fds::DiskMerger>(host, file, std::move(text), *image);
    merger->run();
    image->close();
  } catch (const std::exception& e) {
    const auto* job = dynamic_cast<const JobError*>(&e);
    int number = dynamic_cast<const std::bad_alloc*>(&e) ? kErrOutOfMemory : kErrInvalidCall;
    if (job != nullptr) number = job->number();
    if (merger) {
      report = merger->report();
      file = merger->file();
    }
    try {
      if (image) image->close();
    } catch (const JobError&) {  // NOLINT(bugprone-empty-catch): the first error is reported
    }
    host.setStatus("FDS Merge Error");
    Error_Handler(host, number, report, file);
    result.outcome = Outcome::Failed;
  }
  host.leaveBusy();
  return result;
}

}  // namespace morvane
