// Reading input files: whole binary files, and text files line by line.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The whole file as bytes. Throws JobError: file not found, or file access
// error for a folder or an unreadable file. Inside a job, an output the job
// has finished but not yet put in place is read as the job wrote it.
std::string ReadBinaryFile(const std::string& path);

// Lines of a text held in memory, read as the program reads every text file:
// a line ends at CR or at CR LF; a lone LF is part of the line. A text that
// holds no CR at all (saved with Unix line ends) has its lines end at LF
// instead, so that it reads as lines rather than as one. A final line
// without an end is still a line; an empty text has no lines.
class TextLines {
 public:
  explicit TextLines(std::string text)
      : text_(std::move(text)), end_(text_.find('\r') == std::string::npos ? '\n' : '\r') {}
  static TextLines FromFile(const std::string& path) {
    TextLines lines(ReadBinaryFile(path));
    lines.path_ = path;
    return lines;
  }

  bool atEnd() const { return pos_ >= text_.size(); }
  // Next line into line; false (line emptied) when the text has run out.
  bool next(std::string& line);
  // 1-based number of the line last returned.
  int lineNumber() const { return lineNo_; }
  // The file the text was read from; "" for a text made in memory.
  const std::string& path() const { return path_; }
  // "script.txt ends after line 4" (or "The text ends ..."), for messages.
  std::string endedText() const;

 private:
  std::string text_;
  std::string path_;
  char end_;  // the character that ends a line
  std::size_t pos_ = 0;
  int lineNo_ = 0;
};

// True when both paths name the same file (existing or not).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace morvane
