#include "fds/FdsSplit.h"

#include <memory>
#include <new>

#include "fds/DiskListing.h"
#include "fds/DiskSplitter.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

using fds::DiskSplitter;

namespace {

// Writes what the splitter has listed so far; the listing stays on disk
// whatever the outcome.
void SaveListing(OutFile& out, const DiskSplitter* splitter) {
  if (splitter != nullptr) out.write(splitter->listing());
  out.close();
}

}  // namespace

JobResult cmdFDSSplit_Click(const Settings& settings, JobHost& host) {
  JobResult result;
  host.enterBusy();
  std::string step = "Split FDS Files - FDS File";
  std::string file;
  std::unique_ptr<OutFile> listing;
  std::unique_ptr<DiskSplitter> splitter;
  try {
    const auto image = host.askFile(Dialog::OpenFDS);
    if (!image) {
      host.setStatus("Split Canceled");
      result.outcome = Outcome::Cancelled;
      host.leaveBusy();
      return result;
    }
    file = *image;
    const std::string bytes = ReadBinaryFile(file);
    if (bytes.size() <= static_cast<std::size_t>(settings.header ? fds::kHeaderSize : 0)) {
      throw JobError(fds::kErrDiskFormat, bytes.empty()
                                              ? "The image is empty."
                                              : "The image holds no disk side: it has " +
                                                    std::to_string(bytes.size()) + " bytes.");
    }
    const std::string listingPath = fds::ListingPathFor(file);
    const std::string problem = OutputProblem(listingPath, {file});
    if (!problem.empty()) throw JobError(fds::kErrDiskFormat, problem);
    step = "Split FDS File - Start";
    listing = std::make_unique<OutFile>(listingPath);
    result.written.push_back(listingPath);
    host.setStatus("Starting...");
    step = "Split FDS File - Start 2";
    file += " or " + listingPath;
    splitter = std::make_unique<DiskSplitter>(host, settings.header, FolderOf(*image), *image);
    const bool done = splitter->run(bytes);
    const std::string at = PadHex(splitter->offset(), 4);
    SaveListing(*listing, splitter.get());
    result.written.insert(result.written.end(), splitter->extracted().begin(),
                          splitter->extracted().end());
    if (done && splitter->missing() != 0) {
      const std::string shortBy = splitter->side() + " lacks " +
                                  std::to_string(splitter->missing()) + " of its " +
                                  std::to_string(fds::kSideSize) + " bytes";
      host.setStatus("Done: " + shortBy);
      Minor_Error_Handler(host, "Disk Image Cut Short",
                          "The image ends inside a side: " + shortBy +
                              ". The listing gives its real length in the SIDE LENGTH row, so "
                              "that merge rebuilds the image as it is.",
                          *image);
      result.outcome = Outcome::Warned;
    } else if (done) {
      host.setStatus("Done: ");
    } else {
      host.setStatus("Canceled at " + at + ": ");
      result.outcome = Outcome::Cancelled;
    }
  } catch (const std::exception& e) {
    int number = dynamic_cast<const std::bad_alloc*>(&e) ? kErrOutOfMemory : kErrInvalidCall;
    if (const auto* job = dynamic_cast<const JobError*>(&e)) {
      number = job->number();
      if (number == fds::kErrDiskFormat) step = job->detail();
    }
    try {
      if (splitter) splitter->closeFiles();
      if (listing) SaveListing(*listing, splitter.get());
    } catch (const JobError&) {  // NOLINT(bugprone-empty-catch): the first error is reported
    }
    if (splitter) {
      result.written.insert(result.written.end(), splitter->extracted().begin(),
                            splitter->extracted().end());
    }
    host.setStatus("FDS Split Error");
    Error_Handler(host, number, step, file);
    result.outcome = Outcome::Failed;
  }
  host.leaveBusy();
  return result;
}

}  // namespace morvane
