#include <algorithm>
#include <limits>
#include <vector>

#include "patch/Ips.h"
#include "patch/PatchFormat.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// Equal bytes between two changes cost less repeated in one record than a
// new 5-byte record header, up to this many.
constexpr std::size_t kMergeGap = 4;
constexpr std::size_t kRecordHeader = 5;
constexpr std::size_t kRunRecord = 8;

class IpsWriter {
 public:
  IpsWriter(std::string_view source, std::string_view target) : source_(source), target_(target) {}

  std::string write() {
    const std::size_t n = target_.size();
    for (std::size_t i = 0; i < n;) {
      if (!differs(i)) {
        ++i;
        continue;
      }
      std::size_t end = i + 1;
      for (std::size_t j = end; j < n && j - end <= kMergeGap; ++j)
        if (differs(j)) end = j + 1;
      if (end > kIpsLimit)
        PatchFault("IPS cannot hold a change at offset " + Hex(std::max(i, kIpsLimit)) +
                   "h: its offsets end at 16 MiB.");
      region(i, end);
      i = end;
    }
    out_ += "EOF";
    if (n < source_.size()) {
      if (n >= kIpsLimit)
        PatchFault("IPS cannot truncate to " + Hex(n) + "h bytes: its sizes end at 16 MiB.");
      PutBigEndian(out_, n, 3);
    }
    return std::move(out_);
  }

 private:
  bool differs(std::size_t i) const { return i >= source_.size() || source_[i] != target_[i]; }

  // One changed stretch: each run of equal bytes is written as a run record or
  // as part of a plain record, whichever makes the patch smaller (plain on a tie).
  void region(std::size_t from, std::size_t to) {
    std::vector<std::size_t> starts;
    for (std::size_t i = from; i < to; ++i)
      if (i == from || target_[i] != target_[i - 1]) starts.push_back(i);
    starts.push_back(to);
    const std::size_t runs = starts.size() - 1;
    constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max() / 2;
    // Cheapest cost so far when run k is plain / a run record, and whether the
    // run before was plain on that cheapest way.
    std::vector<std::size_t> plain(runs), rle(runs);
    std::vector<bool> plainAfterPlain(runs), rleAfterPlain(runs);
    for (std::size_t k = 0; k < runs; ++k) {
      const std::size_t len = starts[k + 1] - starts[k];
      const std::size_t prevPlain = k ? plain[k - 1] : kNever;
      const std::size_t prevRle = k ? rle[k - 1] : 0;
      plainAfterPlain[k] = prevPlain <= prevRle + kRecordHeader;
      plain[k] = (plainAfterPlain[k] ? prevPlain : prevRle + kRecordHeader) + len;
      rleAfterPlain[k] = prevPlain <= prevRle;
      rle[k] = starts[k] == kIpsEofOffset
                   ? kNever
                   : std::min(prevPlain, prevRle) +
                         kRunRecord * ((len + kIpsMaxRecord - 1) / kIpsMaxRecord);
    }
    std::vector<bool> asPlain(runs);
    bool isPlain = plain[runs - 1] <= rle[runs - 1];
    for (std::size_t k = runs; k-- > 0;) {
      asPlain[k] = isPlain;
      isPlain = isPlain ? plainAfterPlain[k] : rleAfterPlain[k];
    }
    for (std::size_t k = 0; k < runs;) {
      std::size_t next = k + 1;
      if (asPlain[k]) {
        while (next < runs && asPlain[next]) ++next;
        records(starts[k], starts[next], false);
      } else {
        records(starts[k], starts[next], true);
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
      PutBigEndian(out_, from, 3);
      if (run) {
        PutBigEndian(out_, 0, 2);
        PutBigEndian(out_, len, 2);
        out_ += target_[from];
      } else {
        PutBigEndian(out_, len, 2);
        out_.append(target_.substr(from, len));
      }
      from += len;
    }
  }

  std::string_view source_;
  std::string_view target_;
  std::string out_ = "PATCH";
};

}  // namespace

std::string CreateIps(std::string_view source, std::string_view target) {
  return IpsWriter(source, target).write();
}

}  // namespace morvane
