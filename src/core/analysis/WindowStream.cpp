#include "analysis/WindowStream.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "shell/JobHost.h"
#include "shell/Values.h"

namespace morvane {

namespace {
constexpr std::int64_t kStep = 2048;
}  // namespace

bool StreamWindows(InStream& in, std::int64_t start, std::size_t window, std::int64_t& offset,
                   JobHost& host, const std::string& lastMatch,
                   const std::function<void(const std::uint8_t*, std::int64_t)>& scan) {
  const auto keep = static_cast<std::int64_t>(window - 1);
  std::vector<std::uint8_t> buffer(kStreamChunk + window);
  in.seek(start);
  std::int64_t length =
      static_cast<std::int64_t>(in.read(buffer.data(), static_cast<std::size_t>(keep)));
  if (length < keep) return false;
  std::int64_t bufferOffset = start;  // file offset of buffer[0]
  offset = start;
  host.setStatus("Searching...");
  if (host.cancelRequested()) return true;
  while (true) {
    std::int64_t at = offset - bufferOffset;
    if (at + keep >= length) {
      // Keep the open window's bytes and read on behind them.
      std::memmove(buffer.data(), buffer.data() + at, static_cast<std::size_t>(keep));
      bufferOffset = offset;
      at = 0;
      length = keep + static_cast<std::int64_t>(in.read(buffer.data() + keep, kStreamChunk));
      if (length == keep) return true;
    }
    const std::int64_t boundary = (offset / kStep + 1) * kStep;
    const std::int64_t count = std::min(length - keep - at, boundary - offset);
    scan(buffer.data() + at, count);
    offset += count;
    if (offset % kStep == 0) {
      host.yield();
      host.setStatus("Searching " + Hex(offset) + ": " + lastMatch);
      if (host.cancelRequested()) return true;
    }
  }
}

}  // namespace morvane
