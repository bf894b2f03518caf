#include "shell/JobError.h"

#include <map>

namespace morvane {

std::string ErrorMessage(int number) {
  static const std::map<int, std::string> kMessages = {
      {kErrInvalidCall, "Invalid procedure call or argument"},
      {kErrOverflow, "Overflow"},
      {kErrOutOfMemory, "Out of memory"},
      {kErrSubscript, "Subscript out of range"},
      {kErrDivision, "Division by zero"},
      {kErrTypeMismatch, "Type mismatch"},
      {kErrBadFileName, "Bad file name or number"},
      {kErrFileNotFound, "File not found"},
      {kErrPastEnd, "Input past end of file"},
      {kErrFileAccess, "Path/File access error"},
      {kErrPathNotFound, "Path not found"},
      {kErrDialogCancel, "Cancel was selected."},
  };
  const auto it = kMessages.find(number);
  return it == kMessages.end() ? "Application-defined or object-defined error" : it->second;
}

JobError::JobError(int number, std::string detail)
    : std::runtime_error(ErrorMessage(number)), number_(number), detail_(std::move(detail)) {}

JobError::JobError(int number, std::string detail, std::string explanation)
    : JobError(number, std::move(detail)) {
  explanation_ = std::move(explanation);
}

JobError JobError::FileError(int number, const std::string& path, const std::string& reason) {
  return JobError(number, path, path + ": " + reason + ".");
}

JobError::JobError(Kind kind, int number, std::string title, std::string message, std::string file)
    : std::runtime_error(message.empty() ? ErrorMessage(number) : message),
      kind_(kind),
      number_(number),
      title_(std::move(title)),
      message_(std::move(message)),
      file_(std::move(file)) {}

JobError JobError::Minor(std::string title, std::string message, std::string file) {
  return JobError(Kind::Minor, 0, std::move(title), std::move(message), std::move(file));
}

JobError JobError::Cancelled() {
  return JobError(Kind::Cancel, kErrDialogCancel, {}, {}, {});
}

int Check16(long long value) {
  if (value < -32768 || value > 32767) throw JobError(kErrOverflow);
  return static_cast<int>(value);
}

}  // namespace morvane
