// BPS patches: "BPS1", the source size, target size and metadata size as
// variable-length numbers, the metadata, actions that write the target from
// its first byte to its last, then the CRC32 of source, target and of the patch
// before it, each 4 bytes little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "patch/PatchSink.h"

namespace morvane {

class PatchInput;

// An action is the number (length - 1) << 2 | kind; the copies follow it with
// a signed relative offset, abs(offset) << 1 | negative.
enum BpsAction : unsigned {
  kSourceRead = 0,  // the source bytes at the target's own offset
  kTargetRead = 1,  // bytes from the patch
  kSourceCopy = 2,  // source bytes from the source cursor, moved by the offset
  kTargetCopy = 3,  // bytes already written, from the target cursor, moved by the offset
};

// Larger targets (and, when creating, larger files) are refused: no ROM this
// workbench handles comes near, and a damaged size must not claim the memory.
inline constexpr std::size_t kBpsSizeLimit = std::size_t{256} << 20;

// Number encoding: seven bits a byte, low bits first, the top bit set on the
// last byte, and one subtracted after each byte that is not the last.
void PutBpsNumber(std::string& out, std::uint64_t value);
int BpsNumberSize(std::uint64_t value);

std::string CreateBps(std::string_view source, std::string_view target);
// The same patch, handed to sink piece by piece.
void WriteBps(std::string_view source, std::string_view target, const PatchSink& sink);

// Throws JobError (PatchFault) for a patch that is not BPS, damaged (patch
// CRC32), made for another source (size or CRC32), whose actions read or write
// out of bounds or do not make exactly the target, or whose result fails the
// target CRC32.
std::string ApplyBps(std::string_view source, std::string_view patch);
// The same, the patch read a window at a time.
std::string ApplyBps(std::string_view source, PatchInput& patch);

// The three CRC32 values at the end of a patch; zeros when it is too short.
struct BpsChecksums {
  std::uint32_t source = 0, target = 0, patch = 0;
};
BpsChecksums BpsFooter(std::string_view patch);

}  // namespace morvane
