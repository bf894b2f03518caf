#include "shell/JobFrame.h"

#include <new>

#include "shell/JobError.h"
#include "shell/Reports.h"

namespace morvane {

namespace {

bool IsFileError(int number) {
  return number == kErrFileNotFound || number == kErrFileAccess || number == kErrPathNotFound ||
         number == kErrBadFileName;
}

void SetStatus(JobHost& host, std::string_view text) {
  if (!text.empty()) host.setStatus(std::string(text));
}

// The report of a failure; returns the outcome.
Outcome Report(JobRun& run, const JobTexts& texts, const std::exception& failure) {
  const auto* error = dynamic_cast<const JobError*>(&failure);
  if (error != nullptr && error->kind() == JobError::Kind::Cancel) {
    SetStatus(run.host, texts.cancelled);
    return Outcome::Cancelled;
  }
  if (error != nullptr && error->kind() == JobError::Kind::Minor) {
    SetStatus(run.host, texts.minor);
    Minor_Error_Handler(run.host, error->title(), error->message(), error->file());
    return Outcome::Warned;
  }
  int number = kErrInvalidCall;
  if (error != nullptr) number = error->number();
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) number = kErrOutOfMemory;
  SetStatus(run.host, texts.failed);
  // A file that could not be found, read or written is named even where the
  // job keeps no current file: the error carries it.
  std::string file = run.file;
  if (file.empty() && error != nullptr && IsFileError(error->number())) file = error->detail();
  if (texts.plain) {
    // What went wrong: the error's own words, else the standard message.
    const bool said = error != nullptr && !error->detail().empty() && !IsFileError(number);
    std::string text = std::string(texts.prefix) + (said ? error->detail() : ErrorMessage(number));
    if (!file.empty()) text += "\r\n\r\nThe file at fault: " + file;
    run.host.errorBox(text);
    return Outcome::Failed;
  }
  Error_Handler(run.host, number, std::string(texts.prefix) + run.step, file);
  return Outcome::Failed;
}

}  // namespace

std::string JobRun::ask(Dialog dialog) {
  auto path = host.askFile(dialog);
  if (!path) throw JobError::Cancelled();
  return std::move(*path);
}

JobResult RunJob(JobHost& host, const JobTexts& texts, const std::function<void(JobRun&)>& body) {
  host.enterBusy();
  JobRun run(host);
  try {
    body(run);
  } catch (const std::exception& failure) {
    if (run.onFailure) {
      try {
        run.onFailure(failure);
      } catch (
          const std::exception&) {  // NOLINT(bugprone-empty-catch): the first error is reported
      }
    }
    run.result.outcome = Report(run, texts, failure);
  }
  host.leaveBusy();
  host.jobFinished(run.result);
  return run.result;
}

}  // namespace morvane
