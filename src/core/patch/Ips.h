// IPS patches: "PATCH", then records of a 3-byte big-endian offset, a 2-byte
// size and that many bytes (size 0: a run, 2-byte count and the one value),
// then "EOF" and, when the target is shorter than the source, its 3-byte size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "patch/PatchSink.h"

namespace morvane {

class PatchInput;

// Offsets from 16 MiB on can't be written; a record may not start at 454F46h,
// which would read as "EOF".
inline constexpr std::size_t kIpsLimit = 0x1000000;
inline constexpr std::size_t kIpsEofOffset = 0x454F46;
inline constexpr std::size_t kIpsMaxRecord = 0xFFFF;

// Throws JobError (PatchFault) when a change or the target's size lies at or
// past 16 MiB.
std::string CreateIps(std::string_view source, std::string_view target);
// The same patch, handed to sink piece by piece.
void WriteIps(std::string_view source, std::string_view target, const PatchSink& sink);

// Records past the end of the source extend it (with zeros up to their offset).
// Throws JobError (PatchFault) for a patch that is not IPS, cut short, writes at
// or past 16 MiB, or carries anything after "EOF" but a truncation size no
// larger than the output.
std::string ApplyIps(std::string_view source, std::string_view patch);
// The same, made in place of the source, the patch read a window at a time.
std::string ApplyIps(std::string source, PatchInput& patch);

}  // namespace morvane
