// The one error type of every job. Core code throws it; the job's single error
// exit turns it into the report its user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace morvane {

// Run-time error numbers, in the numbering the error box shows after "Error #".
enum ErrorNumber : int {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrDivision = 11,
  kErrTypeMismatch = 13,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrPastEnd = 62,
  kErrFileAccess = 75,
  kErrPathNotFound = 76,
  kErrDialogCancel = 32755,
};

// The system's standard message for an error number.
std::string ErrorMessage(int number);

class JobError : public std::runtime_error {
 public:
  enum class Kind {
    Run,     // a run-time failure: reported through the job error box
    Minor,   // a problem the job found in the user's files: a warning box
    Cancel,  // a file dialog was cancelled: the job ends quietly
  };

  // A run-time failure with its number; step and file are usually filled in
  // by the job's error exit from its current step.
  JobError(int number, std::string detail = {});
  // The same, with what went wrong in plain words for the error box, naming
  // the file (and line) it was found in.
  JobError(int number, std::string detail, std::string explanation);
  // A file that could not be read or written: path is the detail, and the
  // explanation names it with the system's reason ("No space left on device").
  static JobError FileError(int number, const std::string& path, const std::string& reason);

  static JobError Minor(std::string title, std::string message, std::string file = {});
  static JobError Cancelled();

  Kind kind() const { return kind_; }
  int number() const { return number_; }
  const std::string& detail() const { return detail_; }
  const std::string& title() const { return title_; }
  const std::string& message() const { return message_; }
  const std::string& file() const { return file_; }
  const std::string& explanation() const { return explanation_; }

 private:
  JobError(Kind kind, int number, std::string title, std::string message, std::string file);

  Kind kind_ = Kind::Run;
  int number_ = 0;
  std::string detail_;
  std::string title_;
  std::string message_;
  std::string file_;
  std::string explanation_;
};

// Signed 16-bit field arithmetic: values outside -32768..32767 overflow.
int Check16(long long value);

}  // namespace morvane
