#include "patch/PatchInput.h"

#include <algorithm>

#include "patch/Crc32.h"
#include "shell/FileWindow.h"

namespace morvane {

PatchInput::PatchInput(std::string_view bytes) : bytes_(bytes), size_(bytes.size()) {}

PatchInput PatchInput::FromFile(const std::string& path) {
  PatchInput in;
  in.file_ = std::make_shared<FileWindow>(path);
  in.size_ = static_cast<std::uint64_t>(in.file_->size());
  return in;
}

void PatchInput::seek(std::uint64_t pos) {
  pos_ = std::min(pos, size_);
}

std::string_view PatchInput::ahead(std::size_t n) {
  n = static_cast<std::size_t>(std::min<std::uint64_t>(n, left()));
  if (pos_ < start_ || pos_ + n > start_ + window().size()) fill();
  return window().substr(pos_ - start_, n);
}

void PatchInput::fill() {
  if (!file_) return;  // in memory the window is the whole patch
  buffer_ = file_->read(static_cast<std::int64_t>(pos_), kWindow);
  start_ = pos_;
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
