#include "fds/FdsSplit.h"

#include <memory>

#include "fds/DiskListing.h"
#include "fds/DiskSplitter.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

using fds::DiskSplitter;

namespace {

// Writes what the splitter has listed so far; the listing stays on disk
// whatever the outcome, beside the earlier one when the split stopped early.
void SaveListing(OutFile& out, const DiskSplitter* splitter, bool complete) {
  if (splitter != nullptr) out.write(splitter->listing());
  if (complete) {
    out.close();
  } else {
    out.closeIncomplete();
  }
}

}  // namespace

JobResult FdsSplitJob(const Settings& settings, JobHost& host) {
  std::unique_ptr<OutFile> listing;
  std::unique_ptr<DiskSplitter> splitter;
  const JobTexts texts{.cancelled = "Split Canceled", .failed = "FDS Split Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    run.step = "Split FDS Files - FDS File";
    // Each extracted file stands on its own: those written whole stay.
    run.keepsCompleteOutputs = true;
    run.onFailure = [&](const std::exception& failure) {
      const auto* job = dynamic_cast<const JobError*>(&failure);
      if (job != nullptr && job->number() == fds::kErrDiskFormat) run.step = job->detail();
      try {
        if (splitter) splitter->closeFiles(false);
        if (listing) SaveListing(*listing, splitter.get(), false);
      } catch (const JobError&) {  // NOLINT(bugprone-empty-catch): the first error is reported
      }
      if (splitter) {
        for (const auto& path : splitter->extracted()) run.wrote(path);
      }
    };
    const std::string image = run.ask(Dialog::OpenFDS);
    run.file = image;
    const std::string bytes = ReadBinaryFile(image);
    if (bytes.size() <= static_cast<std::size_t>(settings.header ? fds::kHeaderSize : 0)) {
      throw JobError(fds::kErrDiskFormat, bytes.empty()
                                              ? "The image is empty."
                                              : "The image holds no disk side: it has " +
                                                    std::to_string(bytes.size()) + " bytes.");
    }
    const std::string listingPath = fds::ListingPathFor(image);
    const std::string problem = OutputProblem(listingPath, {image});
    if (!problem.empty()) throw JobError(fds::kErrDiskFormat, problem);
    run.step = "Split FDS File - Start";
    run.file += " or " + listingPath;  // a listing that can't be created is named
    listing = std::make_unique<OutFile>(listingPath);
    run.wrote(listingPath);
    run.host.setStatus("Starting...");
    run.step = "Split FDS File - Start 2";
    splitter = std::make_unique<DiskSplitter>(run.host, settings.header, FolderOf(image), image);
    const bool done = splitter->run(bytes);
    const std::string at = PadHex(splitter->offset(), 4);
    SaveListing(*listing, splitter.get(), done);
    for (const auto& path : splitter->extracted()) run.wrote(path);
    if (done && splitter->missing() != 0) {
      const std::string shortBy = splitter->side() + " lacks " +
                                  std::to_string(splitter->missing()) + " of its " +
                                  std::to_string(fds::kSideSize) + " bytes";
      run.host.setStatus("Done: " + shortBy);
      Minor_Error_Handler(run.host, "Disk Image Cut Short",
                          "The image ends inside a side: " + shortBy +
                              ". The listing gives its real length in the SIDE LENGTH row, so "
                              "that merge rebuilds the image as it is.",
                          image);
      // The listing and the files are whole: the job is done, with a warning.
    } else if (done) {
      run.host.setStatus("Done: ");
    } else {
      run.host.setStatus("Canceled at " + at + ": ");
      run.result.outcome = Outcome::Cancelled;
    }
  });
}

}  // namespace morvane
