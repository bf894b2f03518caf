// Output text and byte files, lines ending in CR LF. The bytes go to a new
// temporary file beside the output and replace the output in one step when
// the file is closed, so that a reader never sees half a file, two runs at
// once never splice their outputs, and a name that is a link is replaced
// rather than written through. Inside a job, a closed file waits with the
// job's other outputs until the job ends (shell/PendingOutputs.h), so that a
// job's outputs appear together or not at all.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "shell/TempFiles.h"

namespace morvane {

class OutFile {
 public:
  // Creates the temporary file beside path; throws JobError (file access)
  // when it can't, or when path names a folder, a FIFO, a device or a socket,
  // or a file we may not write.
  explicit OutFile(std::string path);
  // Closes the file (see close); while an exception unwinds, what was written
  // so far is a partial result (see closeIncomplete).
  ~OutFile();
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  void write(std::string_view bytes) {
    // Most pieces are a line's worth: kept inline, they only join the buffer.
    if (buffer_.size() + bytes.size() < kFlushAt) {
      buffer_.append(bytes);
      return;
    }
    writeLarge(bytes);
  }
  void line(std::string_view text = {}) {
    if (buffer_.size() + text.size() + 2 < kFlushAt) {
      buffer_.append(text);
      buffer_.append("\r\n", 2);
      return;
    }
    write(text);
    write("\r\n");
  }
  void flush();
  // Puts what was written in place of path: at once outside a job, with the
  // job's other outputs when the job ends well inside one. On failure the
  // temporary file is removed, path is left as it was and JobError (file
  // access, with the system's reason) is thrown.
  void close();
  // Ends a partial result, such as the output of a job that stops early:
  // it never replaces path, but is kept beside it under IncompleteName.
  void closeIncomplete();
  // Removes the temporary file: path is left as it was.
  void discard();
  const std::string& path() const { return path_; }
  // The temporary file; empty once closed or discarded.
  const std::string& tempPath() const;

 private:
  void finish(bool complete);
  void abandon();
  [[noreturn]] void fail(int error);
  void writeOut(std::string_view bytes);
  void writeLarge(std::string_view bytes);

  static constexpr std::size_t kFlushAt = 1 << 16;  // small enough to stay in cache

  std::string path_;
  std::unique_ptr<std::string> temp_;  // on the heap: the table of temporary files points at it
  int fd_ = -1;
  int slot_ = -1;      // in the table of temporary files
  int unwinding_ = 0;  // exceptions in flight when the file was made
  std::string buffer_;
};

}  // namespace morvane
