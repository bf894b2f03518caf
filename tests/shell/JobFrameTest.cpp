// The one frame every job runs in: each way a job can end, and what the host
// hears of it.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"

namespace morvane {
namespace {

void WriteWhole(const std::string& path, const std::string& bytes) {
  OutFile out(path);
  out.write(bytes);
  out.close();
}

TEST(JobFrame, EachEndingIsReportedOnceAndEndsIdle) {
  const JobTexts texts{.cancelled = "Job Canceled",
                       .failed = "Job Error",
                       .minor = "Job Minor Error",
                       .prefix = "Error during Job:\r\n"};
  struct Case {
    const char* name;
    std::function<void()> fail;  // what the body does after its step
    Outcome outcome;
    std::vector<std::string> statuses;
    std::string error;  // the job error box, "" for none
    std::string warning;
  };
  const std::string tail =
      "\r\n\r\nError during Job:\r\nReading\r\n\r\nFilename accessed -> in.bin";
  const Case cases[] = {
      {"done", [] {}, Outcome::Done, {}, "", ""},
      {"cancel", [] { throw JobError::Cancelled(); }, Outcome::Cancelled, {"Job Canceled"}, "", ""},
      {"minor",
       [] { throw JobError::Minor("Title", "Bad line", "in.txt"); },
       Outcome::Warned,
       {"Job Minor Error"},
       "",
       "Title|Bad line\r\n\r\nFilename accessed -> in.txt"},
      {"run",
       [] { throw JobError(kErrFileNotFound); },
       Outcome::Failed,
       {"Job Error"},
       "Error #53 -> File not found" + tail + "\r\n\r\nThe file does not exist.",
       ""},
      {"memory",
       [] { throw std::bad_alloc(); },
       Outcome::Failed,
       {"Job Error"},
       "Error #7 -> Out of memory" + tail + "\r\n\r\nThere is not enough memory for the job.",
       ""},
      {"other",
       [] { throw std::out_of_range("x"); },
       Outcome::Failed,
       {"Job Error"},
       "Error #5 -> Invalid procedure call or argument" + tail +
           "\r\n\r\nA value the job was given can't be used.",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    ScriptedHost host;
    bool hookRan = false;
    const JobResult result = RunJob(host, texts, [&](JobRun& run) {
      EXPECT_TRUE(host.busy);
      WriteWhole(dir.file("out.txt"), "whole");
      run.wrote(dir.file("out.txt"));
      run.wrote(dir.file("never.txt"));  // recorded, never written: not named
      run.onFailure = [&](const std::exception&) {
        EXPECT_TRUE(host.errors.empty() && host.warnings.empty());  // before the report
        hookRan = true;
        OutFile partial(dir.file("partial.bin"));
        partial.write("part");
        partial.closeIncomplete();
        run.wrote(dir.file("partial.bin"));
        throw JobError(kErrFileAccess);  // a second failure is not reported
      };
      run.step = "Reading";
      run.file = "in.bin";
      c.fail();
    });
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_EQ(hookRan, c.outcome != Outcome::Done);
    // A job that ended well puts its outputs in place; one that did not
    // keeps only its partial output, beside the name.
    const std::vector<std::string> left{
        c.outcome == Outcome::Done ? dir.file("out.txt") : dir.file("partial (incomplete).bin")};
    EXPECT_EQ(result.written, left);
    EXPECT_EQ(result.incomplete, c.outcome == Outcome::Done ? std::vector<std::string>{} : left);
    EXPECT_EQ(dir.exists("out.txt"), c.outcome == Outcome::Done);
    EXPECT_EQ(Slurp(left[0]), c.outcome == Outcome::Done ? "whole" : "part");
    EXPECT_EQ(host.statuses, c.statuses);
    EXPECT_EQ(host.errors,
              c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error});
    std::vector<std::string> warnings;
    for (const auto& [title, text] : host.warnings) warnings.push_back(title + "|" + text);
    EXPECT_EQ(warnings,
              c.warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.warning});
    EXPECT_EQ(host.busyEntered, 1);
    EXPECT_EQ(host.busyLeft, 1);
    ASSERT_EQ(host.finished.size(), 1u);
    EXPECT_EQ(host.finished[0].written, result.written);
    EXPECT_EQ(host.finished[0].outcome, result.outcome);
  }
}

TEST(JobFrame, AskTurnsACancelledDialogIntoACancelledJob) {
  ScriptedHost host;
  host.answer(Dialog::OpenNES, "game.nes");
  std::string first;
  const JobResult result = RunJob(host, {}, [&](JobRun& run) {
    first = run.ask(Dialog::OpenNES);
    run.ask(Dialog::OpenTBL);
    ADD_FAILURE() << "went on after a cancelled dialog";
  });
  EXPECT_EQ(first, "game.nes");
  EXPECT_EQ(result.outcome, Outcome::Cancelled);
  EXPECT_TRUE(host.statuses.empty());
}

}  // namespace
}  // namespace morvane
