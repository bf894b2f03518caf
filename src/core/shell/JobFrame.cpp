#include "shell/JobFrame.h"

#include <algorithm>
#include <new>

#include "shell/JobError.h"
#include "shell/PendingOutputs.h"
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

// What an error number means, for a box whose error carries no explanation
// of its own; "" for a number of the job's own, whose step says it.
std::string PlainWords(int number) {
  switch (number) {
    case kErrInvalidCall:
      return "A value the job was given can't be used.";
    case kErrOverflow:
      return "A number is too large for its field.";
    case kErrOutOfMemory:
      return "There is not enough memory for the job.";
    case kErrSubscript:
      return "A number lies outside the range it may have.";
    case kErrPastEnd:
      return "A file ended before the job found all it needed in it.";
    case kErrFileNotFound:
      return "The file does not exist.";
    case kErrPathNotFound:
      return "The folder does not exist.";
    case kErrFileAccess:
      return "The file could not be read or written.";
    default:  // a job's own number: its step text says what was wrong
      return {};
  }
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
  // job keeps no current file, or keeps another one: the error carries it.
  std::string file = run.file;
  if (error != nullptr && IsFileError(error->number()) && !error->detail().empty() &&
      file.find(error->detail()) == std::string::npos) {
    file = error->detail();
  }
  if (texts.plain) {
    // What went wrong: the error's own words, else the standard message.
    const bool said = error != nullptr && !error->detail().empty() && !IsFileError(number);
    std::string text = std::string(texts.prefix) + (said ? error->detail() : ErrorMessage(number));
    if (error != nullptr && !error->explanation().empty())
      text += "\r\n\r\n" + error->explanation();
    if (!file.empty()) text += "\r\n\r\nThe file at fault: " + file;
    run.host.errorBox(text);
    return Outcome::Failed;
  }
  std::string text = ErrorBoxText(number, std::string(texts.prefix) + run.step, file);
  const std::string words =
      error != nullptr && !error->explanation().empty() ? error->explanation() : PlainWords(number);
  if (!words.empty()) text += "\r\n\r\n" + words;
  run.host.errorBox(text);
  return Outcome::Failed;
}

// The files the job recorded, under the names they were left with, and any
// other output it left; what was never left is not named.
void Reconcile(JobResult& result, const PendingOutputs& outputs) {
  std::vector<std::string> written;
  for (const std::string& path : result.written) {
    const auto left = outputs.left(path);
    if (!left) continue;
    if (std::find(written.begin(), written.end(), left->path) != written.end()) continue;
    written.push_back(left->path);
    if (!left->complete) result.incomplete.push_back(left->path);
  }
  for (const PendingOutputs::Left& left : outputs.left()) {
    if (std::find(written.begin(), written.end(), left.path) != written.end()) continue;
    written.push_back(left.path);
    if (!left.complete) result.incomplete.push_back(left.path);
  }
  result.written = std::move(written);
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
  PendingOutputs outputs;
  try {
    body(run);
    if (run.result.outcome == Outcome::Done) outputs.commit();
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
  if (run.result.outcome != Outcome::Done) outputs.settle(run.keepsCompleteOutputs);
  Reconcile(run.result, outputs);
  host.leaveBusy();
  host.jobFinished(run.result);
  return run.result;
}

}  // namespace morvane
