// A copy of a ROM made front to back: bytes are copied unchanged or replaced
// one for one, so the copy keeps the ROM's length and every later offset.
#pragma once

#include <cstdint>
#include <string>

#include "shell/OutFile.h"
#include "shell/OutputGuard.h"

namespace morvane {

class RomSplice {
 public:
  RomSplice(std::string rom, const std::string& outPath) : rom_(std::move(rom)), out_(outPath) {}

  // Bytes of the ROM read so far.
  std::int64_t read() const { return pos_; }
  // Copies ROM bytes until count have been read or the ROM ends.
  void copyUntil(std::int64_t count);
  void copyRest() { copyUntil(static_cast<std::int64_t>(rom_.size())); }
  // Reads one ROM byte and writes value in its place; input past end of file
  // when the ROM has run out.
  void replace(std::uint8_t value);
  void close() { out_.close(); }
  // Ends a copy cut short: kept beside the output as a partial result.
  void closeIncomplete() { out_.closeIncomplete(); }
  const std::string& path() const { return out_.path(); }

 private:
  std::string rom_;
  OutFile out_;
  std::int64_t pos_ = 0;
};

}  // namespace morvane
