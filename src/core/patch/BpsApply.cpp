#include "patch/Bps.h"
#include "patch/Crc32.h"
#include "patch/PatchFormat.h"
#include "patch/PatchInput.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::size_t kFooter = 12;

std::string Crc(std::uint32_t value) {
  return PadHex(value, 8) + "h";
}

class BpsReader {
 public:
  explicit BpsReader(PatchInput& patch) : patch_(patch), end_(patch.size() - kFooter) {
    patch_.seek(4);
  }

  bool more() const { return patch_.pos() < end_; }
  std::uint64_t number() {
    std::uint64_t value = 0, shift = 1;
    for (;;) {
      need(1);
      const std::uint8_t byte = patch_.byte();
      value += (byte & 0x7Fu) * shift;
      if (byte & 0x80) return value;
      if (shift >= std::uint64_t{1} << 56)
        PatchFault("The BPS patch holds a number too large for any file, at byte " +
                   Hex(static_cast<std::int64_t>(patch_.pos())) + "h.");
      shift <<= 7;
      value += shift;
    }
  }
  void skip(std::uint64_t count) {
    need(count);
    patch_.skip(count);
  }
  // Appends the next count bytes to out.
  void copy(std::uint64_t count, std::string& out) {
    need(count);
    while (count > 0) {
      const std::string_view piece = patch_.ahead(
          static_cast<std::size_t>(std::min<std::uint64_t>(count, PatchInput::kWindow)));
      out.append(piece);
      patch_.skip(piece.size());
      count -= piece.size();
    }
  }
  // Moves cursor by the signed offset that follows; false when it would leave 0..limit.
  bool move(std::uint64_t& cursor, std::uint64_t limit) {
    const std::uint64_t offset = number();
    const std::uint64_t distance = offset >> 1;
    if (offset & 1) {
      if (distance > cursor) return false;
      cursor -= distance;
    } else {
      if (distance > limit - cursor) return false;
      cursor += distance;
    }
    return true;
  }

 private:
  void need(std::uint64_t count) const {
    if (end_ - patch_.pos() < count)
      PatchFault("The BPS patch is cut short: its actions run into the checksums at its end.");
  }

  PatchInput& patch_;
  std::uint64_t end_;
};

void Check(bool ok, const char* action, std::size_t at, const char* problem) {
  if (!ok)
    PatchFault(std::string("The BPS patch is damaged: the ") + action + " writing target offset " +
               Hex(static_cast<std::int64_t>(at)) + "h " + problem + ".");
}

}  // namespace

std::string ApplyBps(std::string_view source, std::string_view patch) {
  PatchInput in(patch);
  return ApplyBps(source, in);
}

std::string ApplyBps(std::string_view source, PatchInput& patch) {
  patch.seek(0);
  if (!patch.ahead(4).starts_with("BPS1"))
    PatchFault("This is not a BPS patch: it does not begin with \"BPS1\".");
  if (patch.size() < 4 + 3 + kFooter) PatchFault("The BPS patch is cut short.");
  patch.seek(patch.size() - kFooter);
  const BpsChecksums sums = BpsFooter(patch.ahead(kFooter));
  const std::uint32_t patchCrc = patch.crcOfFirst(patch.size() - 4);
  if (patchCrc != sums.patch)
    PatchFault("The BPS patch is damaged: its CRC32 is " + Crc(patchCrc) + ", it should be " +
               Crc(sums.patch) + ".");
  BpsReader in(patch);
  const std::uint64_t sourceSize = in.number();
  const std::uint64_t targetSize = in.number();
  in.skip(in.number());  // metadata
  if (sourceSize != source.size())
    SourceFault("This BPS patch is for a file of " + std::to_string(sourceSize) +
                " bytes; this one has " + std::to_string(source.size()) + " bytes.");
  const std::uint32_t sourceCrc = Crc32(source);
  if (sourceCrc != sums.source)
    SourceFault("This BPS patch is for another file: its CRC32 is " + Crc(sums.source) +
                ", this one's is " + Crc(sourceCrc) + ".");
  if (targetSize > kBpsSizeLimit)
    PatchFault("The BPS patch claims a result of " + std::to_string(targetSize) +
               " bytes; more than 256 MiB is refused.");
  std::string out;
  out.reserve(static_cast<std::size_t>(targetSize));
  std::uint64_t sourceCursor = 0, targetCursor = 0;
  while (in.more()) {
    const std::uint64_t action = in.number();
    const std::uint64_t length = (action >> 2) + 1;
    const std::size_t at = out.size();
    static const char* const kNames[] = {"SourceRead", "TargetRead", "SourceCopy", "TargetCopy"};
    const char* name = kNames[action & 3];
    Check(length <= targetSize - at, name, at, "writes past the target's end");
    switch (action & 3) {
      case kSourceRead:
        Check(at + length <= source.size(), name, at, "reads past the source's end");
        out.append(source.substr(at, length));
        break;
      case kTargetRead:
        in.copy(length, out);
        break;
      case kSourceCopy:
        Check(in.move(sourceCursor, source.size()) && length <= source.size() - sourceCursor, name,
              at, "reads outside the source");
        out.append(source.substr(sourceCursor, length));
        sourceCursor += length;
        break;
      default:
        Check(in.move(targetCursor, at) && targetCursor < at, name, at,
              "reads target bytes not yet written");
        // Byte by byte: the copy may read what it has just written.
        for (std::uint64_t i = 0; i < length; ++i) out += out[targetCursor++];
    }
  }
  if (out.size() != targetSize)
    PatchFault("The BPS patch is damaged: its actions make " + std::to_string(out.size()) +
               " bytes, not the " + std::to_string(targetSize) + " it announces.");
  const std::uint32_t targetCrc = Crc32(out);
  if (targetCrc != sums.target)
    PatchFault("The patched result is wrong: its CRC32 is " + Crc(targetCrc) +
               ", the patch expects " + Crc(sums.target) + ".");
  return out;
}

}  // namespace morvane
