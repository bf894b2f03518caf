// Sequential binary input in large buffers, for the jobs that walk a whole
// file from some offset to its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace morvane {

class InStream {
 public:
  // Opens path for binary reading. Throws JobError: file not found when it
  // does not exist, file access error for a folder or an unreadable file.
  explicit InStream(std::string path);
  ~InStream();
  InStream(const InStream&) = delete;
  InStream& operator=(const InStream&) = delete;

  // Moves to a 0-based offset; an offset past the end reads nothing.
  void seek(std::int64_t offset);
  // Reads up to size bytes; fewer only at the end of the file. Throws
  // JobError (file access) when reading fails.
  std::size_t read(std::uint8_t* into, std::size_t size);
  // Bytes in the file.
  std::int64_t size() const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// Bytes per buffer of the streaming jobs: a multiple of their 2048-byte
// progress steps.
inline constexpr std::size_t kStreamChunk = std::size_t{1} << 20;

}  // namespace morvane
