// A patch read front to back, either held in memory or read from its file a
// window at a time, so that applying a large patch never holds it whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace morvane {

class FileWindow;

class PatchInput {
 public:
  // bytes must outlive the input.
  explicit PatchInput(std::string_view bytes);
  // Throws JobError: file not found, or file access error.
  static PatchInput FromFile(const std::string& path);

  std::uint64_t size() const { return size_; }
  std::uint64_t pos() const { return pos_; }
  std::uint64_t left() const { return size_ - pos_; }
  void seek(std::uint64_t pos);
  // Up to n bytes from pos on (n at most kWindow; fewer only at the end).
  std::string_view ahead(std::size_t n);
  void skip(std::uint64_t n) { seek(pos_ + n); }
  // The next byte; the caller has checked that one is left.
  std::uint8_t byte() {
    if (pos_ < start_ || pos_ >= start_ + window().size()) fill();
    return static_cast<std::uint8_t>(window()[pos_++ - start_]);
  }
  // The CRC32 of the first n bytes; leaves pos where it was.
  std::uint32_t crcOfFirst(std::uint64_t n);

  static constexpr std::size_t kWindow = std::size_t{1} << 20;

 private:
  PatchInput() = default;
  void fill();
  // The bytes from start_ on.
  std::string_view window() const { return file_ ? std::string_view(buffer_) : bytes_; }

  std::shared_ptr<FileWindow> file_;  // none when held in memory
  std::string buffer_;                // the file's window
  std::string_view bytes_;            // the patch held in memory
  std::uint64_t start_ = 0;
  std::uint64_t size_ = 0;
  std::uint64_t pos_ = 0;
};

}  // namespace morvane
