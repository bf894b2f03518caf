#include "fds/ListingReader.h"

#include "shell/InFile.h"
#include "shell/JobError.h"

namespace morvane::fds {

ListingReader::ListingReader(std::string text) {
  TextLines lines(std::move(text));
  std::string line;
  while (lines.next(line)) lines_.push_back(line);
}

const std::string& ListingReader::find(std::string_view label) {
  if (!findAny({label})) throw JobError(kErrPastEnd);
  return current_;
}

bool ListingReader::findAny(std::initializer_list<std::string_view> labels) {
  if (kept_) {
    kept_ = false;
    return true;
  }
  while (next_ < lines_.size()) {
    current_ = lines_[next_++];
    for (const auto label : labels) {
      if (current_.starts_with(label)) return true;
    }
  }
  return false;
}

bool ListingReader::nextIs(std::string_view label) {
  if (kept_ || next_ >= lines_.size() || !lines_[next_].starts_with(label)) return false;
  current_ = lines_[next_++];
  kept_ = true;
  return true;
}

}  // namespace morvane::fds
