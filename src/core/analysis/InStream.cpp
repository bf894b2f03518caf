#include "analysis/InStream.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

#include "shell/JobError.h"

namespace morvane {

namespace fs = std::filesystem;

InStream::InStream(std::string path) : path_(std::move(path)) {
  std::error_code ec;
  const auto status = fs::status(path_, ec);
  if (ec || !fs::exists(status)) throw JobError(kErrFileNotFound, path_);
  if (!fs::is_regular_file(status)) throw JobError(kErrFileAccess, path_);
  file_ = std::fopen(path_.c_str(), "rb");
  if (file_ == nullptr) throw JobError(kErrFileAccess, path_);
}

InStream::~InStream() {
  if (file_ != nullptr) std::fclose(file_);
}

void InStream::seek(std::int64_t offset) {
  if (offset < 0 || fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) {
    throw JobError(kErrInvalidCall, path_);
  }
}

std::size_t InStream::read(std::uint8_t* into, std::size_t size) {
  const std::size_t got = std::fread(into, 1, size, file_);
  if (got < size && std::ferror(file_)) throw JobError(kErrFileAccess, path_);
  return got;
}

std::int64_t InStream::size() const {
  struct stat st {};
  if (::fstat(fileno(file_), &st) != 0) throw JobError(kErrFileAccess, path_);
  return static_cast<std::int64_t>(st.st_size);
}

}  // namespace morvane
