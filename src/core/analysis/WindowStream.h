// The walk the word searches make over a file: windows of a few bytes at
// every offset from a start to the end, read a chunk at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "analysis/InStream.h"

namespace morvane {

class JobHost;

// Calls scan(bytes, count) for runs of count window starts whose window bytes
// are in memory; offset holds the file offset of the run's first start, and
// after the walk where it stopped. A run never crosses a 2048-byte step: at
// each step the host yields, the status shows the offset and lastMatch, and
// the walk ends when a cancel was asked. Returns false, before any status,
// when fewer than window - 1 bytes follow start.
bool StreamWindows(InStream& in, std::int64_t start, std::size_t window, std::int64_t& offset,
                   JobHost& host, const std::string& lastMatch,
                   const std::function<void(const std::uint8_t*, std::int64_t)>& scan);

}  // namespace morvane
