#include "shell/InFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "shell/JobError.h"
#include "shell/PendingOutputs.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec || !fs::exists(status)) throw JobError(kErrFileNotFound, path);
  if (!fs::is_regular_file(status)) throw JobError(kErrFileAccess, path);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) throw JobError(kErrFileAccess, path);
  // Read in place at the size the file has now, so that a large file is held
  // once; then whatever it has grown by since.
  const std::uintmax_t size = fs::file_size(path, ec);
  std::string data(ec ? 0 : static_cast<std::size_t>(size), '\0');
  data.resize(std::fread(data.data(), 1, data.size(), file.get()));
  char buffer[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) data.append(buffer, got);
  if (std::ferror(file.get())) throw JobError(kErrFileAccess, path);
  return data;
}

}  // namespace

std::string ReadBinaryFile(const std::string& path) {
  // An output the running job has finished is read as the job wrote it,
  // although it is put in place only when the job ends.
  if (const PendingOutputs* job = PendingOutputs::Current()) {
    if (const std::string waiting = job->waiting(path); !waiting.empty()) return ReadFile(waiting);
  }
  return ReadFile(path);
}

std::string TextLines::endedText() const {
  const std::string what = path_.empty() ? "The text" : path_;
  if (lineNo_ == 0) return what + " is empty";
  return what + " ends after line " + std::to_string(lineNo_);
}

bool TextLines::next(std::string& line) {
  line.clear();
  if (atEnd()) return false;
  const std::size_t end = text_.find(end_, pos_);
  if (end == std::string::npos) {
    line.assign(text_, pos_, std::string::npos);
    pos_ = text_.size();
  } else {
    line.assign(text_, pos_, end - pos_);
    pos_ = end + 1;
    if (end_ == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  }
  ++lineNo_;
  return true;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace morvane
