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

  static JobError Minor(std::string title, std::string message, std::string file = {});
  static JobError Cancelled();

  Kind kind() const { return kind_; }
  int number() const { return number_; }
  const std::string& detail() const { return detail_; }
  const std::string& title() const { return title_; }
  const std::string& message() const { return message_; }
  const std::string& file() const { return file_; }

 private:
  JobError(Kind kind, int number, std::string title, std::string message, std::string file);

  Kind kind_ = Kind::Run;
  int number_ = 0;
  std::string detail_;
  std::string title_;
  std::string message_;
  std::string file_;
};

// Signed 16-bit field arithmetic: values outside -32768..32767 overflow.
int Check16(long long value);

}  // namespace morvane
