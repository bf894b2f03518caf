#include "shell/OutFile.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include <unistd.h>

#include "shell/JobError.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFlushAt = 1 << 16;  // small enough to stay in cache

// An earlier output that is a plain file of its own is removed before the new
// one is created: truncating a file in place and writing it again makes some
// file systems (ext4) push the new text to disk at once, which costs more than
// the job itself on a small dump. Links, files we may not write and files that
// can't be removed are left to be truncated and written through (or refused)
// as before. The old file's permissions are returned; nullopt when nothing was
// removed.
std::optional<fs::perms> RemoveEarlierOutput(const std::string& path) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  if (ec || !fs::is_regular_file(st) || ::access(path.c_str(), W_OK) != 0) return std::nullopt;
  if (fs::hard_link_count(path, ec) != 1 || ec) return std::nullopt;
  if (!fs::remove(path, ec) || ec) return std::nullopt;
  return st.permissions();
}

}  // namespace

OutFile::OutFile(std::string path) : path_(std::move(path)) {
  const std::optional<fs::perms> perms = RemoveEarlierOutput(path_);
  file_ = std::fopen(path_.c_str(), "wb");
  if (file_ == nullptr) throw JobError(kErrFileAccess, path_);
  // The buffer below is the only one: stdio would copy every byte again.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  if (perms) {
    std::error_code ec;
    fs::permissions(path_, *perms, ec);
  }
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
