#include <algorithm>
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
        out_(sink) {}

  void write() {
    const std::size_t n = target_.size();
    out_.put("PATCH");
    for (std::size_t i = 0;;) {
      // Equal stretches are passed over a word at a time.
      if (i < common_) i += CommonLength(source_, i, target_, i);
      if (i >= n) break;
      std::size_t end = i + 1;
      for (std::size_t j = end; j < n && j - end <= kMergeGap; ++j)
        if (differs(j)) end = j + 1;
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

  // One changed stretch: each run of equal bytes is written as a run record or
  // as part of a plain record, whichever makes the patch smaller (plain on a tie).
  void region(std::size_t from, std::size_t to) {
    starts_.clear();
    starts_.push_back(from);
    for (std::size_t i = from + 1; i < to; ++i)
      if (target_[i] != target_[i - 1]) starts_.push_back(i);
    starts_.push_back(to);
    const std::size_t runs = starts_.size() - 1;
    // Cheapest cost so far when run k is plain / a run record, and whether the
    // run before was plain on that cheapest way.
    ways_.resize(runs);
    for (std::size_t k = 0; k < runs; ++k) {
      const std::size_t len = starts_[k + 1] - starts_[k];
      const std::size_t prevPlain = k ? ways_[k - 1].plain : kNever;
      const std::size_t prevRle = k ? ways_[k - 1].rle : 0;
      Way& w = ways_[k];
      w.plainAfterPlain = prevPlain <= prevRle + kRecordHeader;
      w.plain = (w.plainAfterPlain ? prevPlain : prevRle + kRecordHeader) + len;
      w.rleAfterPlain = prevPlain <= prevRle;
      w.rle = starts_[k] == kIpsEofOffset
                  ? kNever
                  : std::min(prevPlain, prevRle) +
                        kRunRecord * ((len + kIpsMaxRecord - 1) / kIpsMaxRecord);
    }
    bool isPlain = ways_[runs - 1].plain <= ways_[runs - 1].rle;
    for (std::size_t k = runs; k-- > 0;) {
      ways_[k].asPlain = isPlain;
      isPlain = isPlain ? ways_[k].plainAfterPlain : ways_[k].rleAfterPlain;
    }
    for (std::size_t k = 0; k < runs;) {
      std::size_t next = k + 1;
      if (ways_[k].asPlain) {
        while (next < runs && ways_[next].asPlain) ++next;
        records(starts_[k], starts_[next], false);
      } else {
        records(starts_[k], starts_[next], true);
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

  // The costs of the cheapest ways through one run of a region.
  struct Way {
    std::size_t plain, rle;
    bool plainAfterPlain, rleAfterPlain, asPlain;
  };

  std::string_view source_;
  std::string_view target_;
  std::size_t common_;  // bytes both have
  PatchStream out_;
  std::vector<std::size_t> starts_;  // of the runs of equal bytes in a region, and its end
  std::vector<Way> ways_;
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
