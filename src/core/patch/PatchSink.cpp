#include "patch/PatchSink.h"

#include "patch/Bps.h"
#include "patch/Crc32.h"

namespace morvane {

void PatchStream::put(std::string_view bytes) {
  if (buffer_.size() + bytes.size() < kPiece) {
    buffer_.append(bytes);
    return;
  }
  pass();
  if (withCrc_) crc_ = Crc32(bytes, crc_);
  sink_(bytes);
}

void PatchStream::number(std::uint64_t value) {
  PutBpsNumber(buffer_, value);
  if (buffer_.size() >= kPiece) pass();
}

void PatchStream::word(std::uint32_t value) {
  for (int i = 0; i < 4; ++i) put(static_cast<char>(value >> (8 * i) & 0xFF));
}

void PatchStream::bigEndian(std::size_t value, int count) {
  for (int shift = 8 * (count - 1); shift >= 0; shift -= 8)
    put(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t PatchStream::crc() {
  pass();
  return crc_;
}

void PatchStream::pass() {
  if (buffer_.empty()) return;
  if (withCrc_) crc_ = Crc32(buffer_, crc_);
  sink_(buffer_);
  buffer_.clear();
}

}  // namespace morvane
