#include "shell/OutFile.h"

#include "shell/JobError.h"

namespace morvane {

namespace {
constexpr std::size_t kFlushAt = 1 << 16;  // small enough to stay in cache
}

OutFile::OutFile(std::string path) : path_(std::move(path)) {
  file_ = std::fopen(path_.c_str(), "wb");
  if (file_ == nullptr) throw JobError(kErrFileAccess, path_);
  buffer_.reserve(kFlushAt + 4096);
}

OutFile::~OutFile() {
  try {
    close();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
  }
}

void OutFile::write(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() >= kFlushAt) flush();
}

void OutFile::flush() {
  if (file_ == nullptr || buffer_.empty()) return;
  const std::size_t size = buffer_.size();
  const std::size_t done = std::fwrite(buffer_.data(), 1, size, file_);
  buffer_.clear();
  if (done != size) throw JobError(kErrFileAccess, path_);
}

void OutFile::close() {
  if (file_ == nullptr) return;
  flush();
  const int rc = std::fclose(file_);
  file_ = nullptr;
  if (rc != 0) throw JobError(kErrFileAccess, path_);
}

}  // namespace morvane
