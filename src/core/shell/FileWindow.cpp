#include "shell/FileWindow.h"

#include <algorithm>
#include <filesystem>

#include "shell/JobError.h"

namespace morvane {

namespace {

namespace fs = std::filesystem;

// A window reaches a little before the byte that needed it, for readers that
// step back, and well after it, for those that read on.
constexpr std::int64_t kBefore = 16 << 10;
constexpr std::size_t kWindow = 256 << 10;

}  // namespace

FileWindow::FileWindow(const std::string& path) : path_(path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  if (ec || !fs::exists(status)) throw JobError(kErrFileNotFound, path);
  if (!fs::is_regular_file(status)) throw JobError(kErrFileAccess, path);
  file_.reset(std::fopen(path.c_str(), "rb"), [](std::FILE* f) {
    if (f) std::fclose(f);
  });
  const std::uintmax_t size = fs::file_size(path, ec);
  if (!file_ || ec) throw JobError(kErrFileAccess, path);
  size_ = static_cast<std::int64_t>(size);
}

std::string FileWindow::read(std::int64_t offset, std::size_t count) {
  offset = std::clamp<std::int64_t>(offset, 0, size_);
  std::string bytes(static_cast<std::size_t>(
                        std::min<std::int64_t>(static_cast<std::int64_t>(count), size_ - offset)),
                    '\0');
  readInto(offset, bytes.data(), bytes.size());
  return bytes;
}

void FileWindow::load(std::int64_t offset) {
  start_ = std::max<std::int64_t>(0, offset - kBefore);
  window_.resize(static_cast<std::size_t>(
      std::min<std::int64_t>(static_cast<std::int64_t>(kWindow), size_ - start_)));
  readInto(start_, window_.data(), window_.size());
}

// A file that shrank under the job is an access error, never a crash.
void FileWindow::readInto(std::int64_t offset, char* into, std::size_t count) {
  if (count == 0) return;
  if (::fseeko(file_.get(), static_cast<off_t>(offset), SEEK_SET) != 0 ||
      std::fread(into, 1, count, file_.get()) != count) {
    window_.clear();
    throw JobError(kErrFileAccess, path_);
  }
}

}  // namespace morvane
