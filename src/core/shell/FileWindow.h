// A binary file read where it is asked, a window at a time, for the jobs that
// need a few bytes of a file that may be large: its size is known at once and
// only the bytes around those asked for are held.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace morvane {

class FileWindow {
 public:
  // Throws JobError: file not found, or file access error for a folder or an
  // unreadable file.
  explicit FileWindow(const std::string& path);

  const std::string& path() const { return path_; }
  std::int64_t size() const { return size_; }
  // The byte at offset; -1 outside the file.
  int at(std::int64_t offset) {
    if (offset < 0 || offset >= size_) return -1;
    if (offset < start_ || offset >= start_ + static_cast<std::int64_t>(window_.size()))
      load(offset);
    return static_cast<std::uint8_t>(window_[static_cast<std::size_t>(offset - start_)]);
  }
  // The bytes from offset on, count at most: fewer past the end of the file.
  std::string read(std::int64_t offset, std::size_t count);

 private:
  void load(std::int64_t offset);
  void readInto(std::int64_t offset, char* into, std::size_t count);

  std::string path_;
  std::shared_ptr<std::FILE> file_;
  std::int64_t size_ = 0;
  std::string window_;  // the bytes from start_ on
  std::int64_t start_ = 0;
};

}  // namespace morvane
