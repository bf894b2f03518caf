// Output text and byte files: created afresh, buffered, lines ending in CR LF.
// What was written survives an error: the buffer is flushed when the file closes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace morvane {

class OutFile {
 public:
  // Creates or truncates path; throws JobError (file access) when it can't.
  explicit OutFile(std::string path);
  ~OutFile();
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  void write(std::string_view bytes);
  void line(std::string_view text = {}) {
    write(text);
    write("\r\n");
  }
  void flush();
  void close();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
};

}  // namespace morvane
