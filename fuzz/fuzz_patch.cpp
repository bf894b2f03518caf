// The IPS and BPS readers over any patch, and creation checked by applying.
// Byte 0 holds the knobs, bytes 1-2 where the rest splits into source and
// patch (or target). A BPS patch gets its CRC32 values mended on request, so
// that its actions are read rather than refused at the checksum.
#include <cstdlib>
#include <string>

#include "patch/Bps.h"
#include "patch/Crc32.h"
#include "patch/PatchFormat.h"
#include "shell/JobError.h"

namespace {

void PutCrc(std::string& patch, std::size_t at, std::uint32_t crc) {
  for (int i = 0; i < 4; ++i) patch[at + i] = static_cast<char>(crc >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  if (size < 3) return 0;
  const std::uint8_t knobs = data[0];
  const std::string rest(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::size_t split = (data[1] | std::size_t{data[2]} << 8) % (rest.size() + 1);
  const std::string source = rest.substr(0, split);
  std::string patch = rest.substr(split);
  if (knobs & 0x04) {
    for (const PatchKind kind : {PatchKind::Ips, PatchKind::Bps})
      if (ApplyPatch(source, CreatePatch(kind, source, patch)) != patch) std::abort();
    return 0;
  }
  if (patch.starts_with("BPS1") && patch.size() >= 16) {
    if (knobs & 0x02) PutCrc(patch, patch.size() - 12, Crc32(source));
    if (knobs & 0x01)
      PutCrc(patch, patch.size() - 4, Crc32(std::string_view(patch).substr(0, patch.size() - 4)));
  }
  try {
    ApplyPatch(source, patch);
  } catch (const JobError&) {
  }
  return 0;
}
