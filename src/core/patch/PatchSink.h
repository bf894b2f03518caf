// A patch written piece by piece, so that a large patch never has to be held
// whole: PatchStream gathers small writes into pieces for a sink (a file, or
// a string) and keeps the CRC32 of everything it has passed on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace morvane {

// Receives the patch's bytes in order.
using PatchSink = std::function<void(std::string_view)>;

class PatchStream {
 public:
  // A stream that keeps no CRC32 (IPS) has crc() return 0.
  PatchStream(const PatchSink& sink, bool withCrc) : sink_(sink), withCrc_(withCrc) {
    buffer_.reserve(kPiece);
  }

  void put(std::string_view bytes);
  void put(char byte) {
    buffer_ += byte;
    if (buffer_.size() >= kPiece) pass();
  }
  // A BPS variable-length number.
  void number(std::uint64_t value);
  // Four bytes, little-endian.
  void word(std::uint32_t value);
  // count bytes, big-endian.
  void bigEndian(std::size_t value, int count);
  // The CRC32 of all bytes put so far.
  std::uint32_t crc();
  // Hands over what is left.
  void end() { pass(); }

 private:
  static constexpr std::size_t kPiece = std::size_t{1} << 16;

  void pass();

  const PatchSink& sink_;
  std::string buffer_;
  bool withCrc_;
  std::uint32_t crc_ = 0;
};

}  // namespace morvane
