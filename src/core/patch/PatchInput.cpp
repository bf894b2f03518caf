#include "patch/PatchInput.h"

#include <algorithm>
#include <filesystem>

#include "patch/Crc32.h"
#include "shell/JobError.h"

namespace morvane {

PatchInput::PatchInput(std::string_view bytes) : window_(bytes), size_(bytes.size()) {}

PatchInput PatchInput::FromFile(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) throw JobError(kErrFileNotFound, path);
  if (!std::filesystem::is_regular_file(status)) throw JobError(kErrFileAccess, path);
  PatchInput in;
  in.file_.reset(std::fopen(path.c_str(), "rb"), [](std::FILE* f) {
    if (f) std::fclose(f);
  });
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!in.file_ || ec) throw JobError(kErrFileAccess, path);
  in.path_ = path;
  in.size_ = size;
  return in;
}

void PatchInput::seek(std::uint64_t pos) {
  pos_ = std::min(pos, size_);
}

std::string_view PatchInput::ahead(std::size_t n) {
  n = static_cast<std::size_t>(std::min<std::uint64_t>(n, left()));
  if (pos_ < start_ || pos_ + n > start_ + window_.size()) fill();
  return window_.substr(pos_ - start_, n);
}

void PatchInput::fill() {
  if (!file_) return;  // in memory the window is the whole patch
  buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, left())));
  if (::fseeko(file_.get(), static_cast<off_t>(pos_), SEEK_SET) != 0 ||
      std::fread(buffer_.data(), 1, buffer_.size(), file_.get()) != buffer_.size())
    throw JobError(kErrFileAccess, path_);
  start_ = pos_;
  window_ = buffer_;
}

std::uint32_t PatchInput::crcOfFirst(std::uint64_t n) {
  const std::uint64_t from = pos_;
  std::uint32_t crc = 0;
  for (seek(0); pos_ < n;) {
    const std::string_view piece =
        ahead(static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, n - pos_)));
    crc = Crc32(piece, crc);
    skip(piece.size());
  }
  seek(from);
  return crc;
}

}  // namespace morvane
