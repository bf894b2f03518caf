#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "patch/BlockIndex.h"
#include "patch/Ips.h"
#include "patch/PatchFormat.h"
#include "patch/PatchSink.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// Equal bytes between two changes cost less repeated in one record than a
// new 5-byte record header, up to this many.
constexpr std::size_t kMergeGap = 4;
constexpr std::size_t kRecordHeader = 5;
constexpr std::size_t kRunRecord = 8;
constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max() / 2;

class IpsWriter {
 public:
  IpsWriter(std::string_view source, std::string_view target, const PatchSink& sink)
      : source_(source),
        target_(target),
        common_(std::min(source.size(), target.size())),
        out_(sink, false) {}

  void write() {
    const std::size_t n = target_.size();
    out_.put("PATCH");
    for (std::size_t i = 0;;) {
      // Equal stretches are passed over a word at a time.
      if (i < common_) i += CommonLength(source_, i, target_, i);
      if (i >= n) break;
      const std::size_t end = stretchEnd(i);
      if (end > kIpsLimit)
        PatchFault("IPS cannot hold a change at offset " + Hex(std::max(i, kIpsLimit)) +
                   "h: its offsets end at 16 MiB.");
      region(i, end);
      i = end;
    }
    out_.put("EOF");
    if (n < source_.size()) {
      if (n >= kIpsLimit)
        PatchFault("IPS cannot truncate to " + Hex(n) + "h bytes: its sizes end at 16 MiB.");
      out_.bigEndian(n, 3);
    }
    out_.end();
  }

 private:
  bool differs(std::size_t i) const { return i >= common_ || source_[i] != target_[i]; }

  // The end of the changed stretch from i: it goes on while no more than
  // kMergeGap equal bytes lie between two changes. Eight changed bytes in a
  // row are passed at once.
  std::size_t stretchEnd(std::size_t i) const {
    const std::size_t n = target_.size();
    std::size_t end = i + 1;
    for (std::size_t j = end; j < n && j - end <= kMergeGap;) {
      if (j >= common_) return n;  // past the source every byte is new
      if (j == end && j + 8 <= common_ && AllDiffer(j)) {
        end = j += 8;
        continue;
      }
      if (differs(j)) end = j + 1;
      ++j;
    }
    return end;
  }

  bool AllDiffer(std::size_t j) const {
    std::uint64_t a, b;
    std::memcpy(&a, source_.data() + j, 8);
    std::memcpy(&b, target_.data() + j, 8);
    const std::uint64_t x = a ^ b;  // a zero byte where they are equal
    return ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) == 0;
  }

  // One changed stretch: each run of equal bytes is written as a run record or
  // as part of a plain record, whichever makes the patch smaller (plain on a
  // tie). A run of up to three bytes is never cheaper as a run record, nor is
  // one at the offset that reads as "EOF": consecutive runs of these form one
  // plain-only piece.
  void region(std::size_t from, std::size_t to) {
    pieces_.clear();
    for (std::size_t i = from; i < to;) {
      std::size_t j = i + 1;
      while (j < to && target_[j] == target_[i]) ++j;
      const bool plainOnly = j - i <= 3 || i == kIpsEofOffset;
      if (!plainOnly || pieces_.empty() || !pieces_.back().plainOnly)
        pieces_.push_back({.start = i, .plainOnly = plainOnly});
      i = j;
    }
    const std::size_t count = pieces_.size();
    pieces_.push_back({.start = to});
    // Cheapest cost so far when piece k is plain / a run record, and whether
    // the piece before was plain on that cheapest way.
    for (std::size_t k = 0; k < count; ++k) {
      const std::size_t len = pieces_[k + 1].start - pieces_[k].start;
      const std::size_t prevPlain = k ? pieces_[k - 1].plain : kNever;
      const std::size_t prevRle = k ? pieces_[k - 1].rle : 0;
      Piece& w = pieces_[k];
      w.plainAfterPlain = prevPlain <= prevRle + kRecordHeader;
      w.plain = (w.plainAfterPlain ? prevPlain : prevRle + kRecordHeader) + len;
      w.rleAfterPlain = prevPlain <= prevRle;
      w.rle = w.plainOnly ? kNever
                          : std::min(prevPlain, prevRle) +
                                kRunRecord * ((len + kIpsMaxRecord - 1) / kIpsMaxRecord);
    }
    bool isPlain = pieces_[count - 1].plain <= pieces_[count - 1].rle;
    for (std::size_t k = count; k-- > 0;) {
      pieces_[k].asPlain = isPlain;
      isPlain = isPlain ? pieces_[k].plainAfterPlain : pieces_[k].rleAfterPlain;
    }
    for (std::size_t k = 0; k < count;) {
      std::size_t next = k + 1;
      if (pieces_[k].asPlain) {
        while (next < count && pieces_[next].asPlain) ++next;
        records(pieces_[k].start, pieces_[next].start, false);
      } else {
        records(pieces_[k].start, pieces_[next].start, true);
      }
      k = next;
    }
  }

  // Records for target [from, to), at most kIpsMaxRecord bytes each, none
  // starting at the offset that reads as "EOF".
  void records(std::size_t from, std::size_t to, bool run) {
    if (from == kIpsEofOffset) --from;  // only plain records get here
    while (from < to) {
      std::size_t len = std::min(to - from, kIpsMaxRecord);
      if (from + len == kIpsEofOffset && from + len < to) --len;
      out_.bigEndian(from, 3);
      if (run) {
        out_.bigEndian(0, 2);
        out_.bigEndian(len, 2);
        out_.put(target_[from]);
      } else {
        out_.bigEndian(len, 2);
        out_.put(target_.substr(from, len));
      }
      from += len;
    }
  }

  // A run of equal bytes in a region, or plain-only runs in a row, and the
  // costs of the cheapest ways through it.
  struct Piece {
    std::size_t start = 0;
    bool plainOnly = false;
    std::size_t plain = 0, rle = 0;
    bool plainAfterPlain = false, rleAfterPlain = false, asPlain = false;
  };

  std::string_view source_;
  std::string_view target_;
  std::size_t common_;  // bytes both have
  PatchStream out_;
  std::vector<Piece> pieces_;  // of a region, and one more at its end
};

}  // namespace

void WriteIps(std::string_view source, std::string_view target, const PatchSink& sink) {
  IpsWriter(source, target, sink).write();
}

std::string CreateIps(std::string_view source, std::string_view target) {
  std::string patch;
  WriteIps(source, target, [&](std::string_view piece) { patch.append(piece); });
  return patch;
}

}  // namespace morvane
