// The disk listing as merge reads it: rows found by the start of their line,
// each search going on from the line after the row found before.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane::fds {

class ListingReader {
 public:
  explicit ListingReader(std::string text);

  // The next line starting with label, or the current line when it was kept
  // for this row. Throws JobError (input past end of file) when none is left.
  const std::string& find(std::string_view label);
  // Like find, for a line starting with any of the labels; false at the end.
  bool findAny(std::initializer_list<std::string_view> labels);
  // Makes the line after the current one current and keeps it for the next
  // find, when it starts with label.
  bool nextIs(std::string_view label);
  // The current line is the next row: the next find takes it without searching.
  void keep() { kept_ = true; }
  const std::string& current() const { return current_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::string current_;
  bool kept_ = false;
};

}  // namespace morvane::fds
