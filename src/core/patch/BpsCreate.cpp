#include <algorithm>

#include "patch/BlockIndex.h"
#include "patch/Bps.h"
#include "patch/Crc32.h"
#include "patch/PatchFormat.h"
#include "patch/PatchSink.h"

namespace morvane {

namespace {

// Deep into bytes that match nothing, look for matches at every few offsets
// only (the step grows by one every kSkipRate bytes): a match found late is
// extended back to where it starts. The longest step is odd, so that its
// steps meet every filed position of a sparse index in turn: a match of a
// kilobyte or more is found however far into such bytes it lies.
constexpr std::size_t kSkipRate = 32;
constexpr std::size_t kMaxSkip = 62;
// A match this rewarding is taken without searching the indexes for a better one.
constexpr long long kGoodEnough = 256;

std::uint64_t Relative(std::size_t to, std::size_t from) {
  return to >= from ? std::uint64_t{to - from} << 1 : std::uint64_t{from - to} << 1 | 1;
}

struct Match {
  BpsAction action = kTargetRead;  // kTargetRead: none found
  std::size_t from = 0;            // where the copy reads
  std::size_t length = 0;
  long long gain = 0;  // bytes saved over writing them into the patch
};

class BpsWriter {
 public:
  BpsWriter(std::string_view source, std::string_view target, const PatchSink& sink)
      : source_(source),
        target_(target),
        sourceIndex_(source),
        targetIndex_(target),
        out_(sink, true) {
    sourceIndex_.addUpTo(source.size());
  }

  void write() {
    out_.put("BPS1");
    out_.number(source_.size());
    out_.number(target_.size());
    out_.number(0);  // no metadata
    std::size_t literal = 0;
    for (std::size_t p = 0; p < target_.size();) {
      Match m = best(p, literal);
      if (m.length == 0) {
        p += 1 + std::min((p - literal) / kSkipRate, kMaxSkip);
        continue;
      }
      while (p > literal && extendsBack(m, p)) {
        --p;
        --m.from;
        ++m.length;
      }
      if (p > literal) emit(kTargetRead, literal, p - literal);
      emit(m.action, m.from, m.length);
      // Bytes read from the source at their own offset are not filed for
      // copies from the target: the source index finds them as well, and
      // files that differ little are passed without filing them all.
      targetIndex_.addUpTo(p);
      if (m.action == kSourceRead) targetIndex_.skipTo(p + m.length);
      p += m.length;
      literal = p;
    }
    if (literal < target_.size()) emit(kTargetRead, literal, target_.size() - literal);
    out_.word(Crc32(source_));
    out_.word(Crc32(target_));
    out_.word(out_.crc());
    out_.end();
  }

 private:
  // The most rewarding action at target offset p, or none; the bytes from
  // literal on are not written yet.
  Match best(std::size_t p, std::size_t literal) {
    Match m;
    if (p < source_.size()) consider(m, kSourceRead, p, CommonLength(source_, p, target_, p), p);
    if (sourceCursor_ < source_.size())
      consider(m, kSourceCopy, sourceCursor_, CommonLength(source_, sourceCursor_, target_, p), p);
    // The last copy resumed past the bytes written since: a few changed bytes
    // inside moved data.
    if (const std::size_t resume = sourceCursor_ + (p - literal);
        p > literal && resume != p && resume < source_.size())
      consider(m, kSourceCopy, resume, CommonLength(source_, resume, target_, p), p);
    if (targetCursor_ < p)
      consider(m, kTargetCopy, targetCursor_, CommonLength(target_, targetCursor_, target_, p), p);
    if (m.gain >= kGoodEnough || p + BlockIndex::kBlock > target_.size()) return m;
    // Where the lookup after next will be if nothing is found: its buckets
    // are fetched while this one waits for its own.
    if (const std::size_t ahead = p + 2 + 2 * std::min((p - literal) / kSkipRate, kMaxSkip);
        ahead + BlockIndex::kBlock <= target_.size()) {
      sourceIndex_.prefetch(target_.data() + ahead);
      targetIndex_.prefetch(target_.data() + ahead);
    }
    targetIndex_.addUpTo(p);
    const char* block = target_.data() + p;
    search(m, sourceIndex_, kSourceCopy, source_, block, p);
    search(m, targetIndex_, kTargetCopy, target_, block, p);
    return m;
  }

  void search(Match& m, const BlockIndex& index, BpsAction action, std::string_view from,
              const char* block, std::size_t p) {
    std::size_t found[BlockIndex::kWays];
    const std::size_t n = index.find(block, found);
    for (std::size_t k = 0; k < n; ++k)
      consider(m, action, found[k], CommonLength(from, found[k], target_, p), p);
  }

  // Keeps the candidate when it saves more than m; a copy must save at least
  // two bytes, as it usually splits the bytes written around it in two.
  void consider(Match& m, BpsAction action, std::size_t from, std::size_t length, std::size_t p) {
    if (length == 0) return;
    long long cost = BpsNumberSize((length - 1) << 2);
    if (action == kSourceCopy) cost += BpsNumberSize(Relative(from, sourceCursor_));
    if (action == kTargetCopy) cost += BpsNumberSize(Relative(from, targetCursor_));
    const long long gain = static_cast<long long>(length) - cost;
    if (gain >= 2 && gain > m.gain) m = {action, action == kSourceRead ? p : from, length, gain};
  }

  bool extendsBack(const Match& m, std::size_t p) const {
    if (m.from == 0) return false;
    const std::string_view from = m.action == kTargetCopy ? target_ : source_;
    return m.from - 1 < from.size() && from[m.from - 1] == target_[p - 1];
  }

  void emit(BpsAction action, std::size_t from, std::size_t length) {
    out_.number((std::uint64_t{length} - 1) << 2 | action);
    if (action == kTargetRead) out_.put(target_.substr(from, length));
    if (action == kSourceCopy) {
      out_.number(Relative(from, sourceCursor_));
      sourceCursor_ = from + length;
    }
    if (action == kTargetCopy) {
      out_.number(Relative(from, targetCursor_));
      targetCursor_ = from + length;
    }
  }

  std::string_view source_;
  std::string_view target_;
  BlockIndex sourceIndex_;
  BlockIndex targetIndex_;
  std::size_t sourceCursor_ = 0;
  std::size_t targetCursor_ = 0;
  PatchStream out_;
};

}  // namespace

void WriteBps(std::string_view source, std::string_view target, const PatchSink& sink) {
  if (source.size() > kBpsSizeLimit || target.size() > kBpsSizeLimit)
    PatchFault("BPS patches are made only for files up to 256 MiB.");
  BpsWriter(source, target, sink).write();
}

std::string CreateBps(std::string_view source, std::string_view target) {
  std::string patch;
  WriteBps(source, target, [&](std::string_view piece) { patch.append(piece); });
  return patch;
}

}  // namespace morvane
