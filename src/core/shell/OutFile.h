// Output text and byte files, lines ending in CR LF. The bytes go to a new
// temporary file beside the output and replace the output in one step when
// the file is closed, so that a reader never sees half a file, two runs at
// once never splice their outputs, and a name that is a link is replaced
// rather than written through.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Removes every temporary file of an OutFile not yet closed. Safe to call
// from a signal handler: the command line calls it when Ctrl+C ends a job at
// once, so that no temporary file is left behind.
void RemoveOpenTempFiles() noexcept;

class OutFile {
 public:
  // Creates the temporary file beside path; throws JobError (file access)
  // when it can't, or when path names a folder, a FIFO, a device or a socket,
  // or a file we may not write.
  explicit OutFile(std::string path);
  // Closes the file: what was written so far replaces path.
  ~OutFile();
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  void write(std::string_view bytes);
  void line(std::string_view text = {}) {
    write(text);
    write("\r\n");
  }
  void flush();
  // Puts what was written in place of path. On failure the temporary file is
  // removed, path is left as it was and JobError (file access) is thrown.
  void close();
  // Removes the temporary file: path is left as it was.
  void discard();
  const std::string& path() const { return path_; }
  // The temporary file; empty once closed or discarded.
  const std::string& tempPath() const { return temp_; }

 private:
  void abandon();
  void writeOut(std::string_view bytes);
  void track(bool open);

  std::string path_;
  std::string temp_;
  int fd_ = -1;
  int slot_ = -1;  // in the table of open temporary files
  std::string buffer_;
};

}  // namespace morvane
