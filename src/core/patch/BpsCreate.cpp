#include <algorithm>

#include "patch/BlockIndex.h"
#include "patch/Bps.h"
#include "patch/Crc32.h"
#include "patch/PatchFormat.h"

namespace morvane {

namespace {

// Candidates tried per lookup in each index: enough to find moved and repeated
// data, few enough to keep long runs of one byte from slowing creation down.
constexpr int kChain = 24;
// Deep into bytes that match nothing, look for matches at every few offsets
// only: a match found late is extended back to where it starts.
constexpr std::size_t kSkipRate = 32;
constexpr std::size_t kMaxSkip = 15;
// A match this rewarding is taken without searching the indexes for a better one.
constexpr long long kGoodEnough = 256;

void PutCrc(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

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
  BpsWriter(std::string_view source, std::string_view target)
      : source_(source), target_(target), sourceIndex_(source), targetIndex_(target) {
    sourceIndex_.addAll();
  }

  std::string write() {
    out_ = "BPS1";
    PutBpsNumber(out_, source_.size());
    PutBpsNumber(out_, target_.size());
    PutBpsNumber(out_, 0);  // no metadata
    std::size_t literal = 0;
    for (std::size_t p = 0; p < target_.size();) {
      Match m = best(p);
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
      p += m.length;
      literal = p;
    }
    if (literal < target_.size()) emit(kTargetRead, literal, target_.size() - literal);
    PutCrc(out_, Crc32(source_));
    PutCrc(out_, Crc32(target_));
    PutCrc(out_, Crc32(out_));
    return std::move(out_);
  }

 private:
  // The most rewarding action at target offset p, or none.
  Match best(std::size_t p) {
    while (indexed_ < p && indexed_ + BlockIndex::kBlock <= target_.size())
      targetIndex_.add(indexed_++);
    Match m;
    if (p < source_.size()) consider(m, kSourceRead, p, CommonLength(source_, p, target_, p), p);
    if (sourceCursor_ < source_.size())
      consider(m, kSourceCopy, sourceCursor_, CommonLength(source_, sourceCursor_, target_, p), p);
    if (targetCursor_ < p)
      consider(m, kTargetCopy, targetCursor_, CommonLength(target_, targetCursor_, target_, p), p);
    if (m.gain >= kGoodEnough || p + BlockIndex::kBlock > target_.size()) return m;
    const char* block = target_.data() + p;
    int tries = 0;
    for (auto c = sourceIndex_.first(block); c != BlockIndex::kNone && tries < kChain;
         c = sourceIndex_.next(c), ++tries)
      consider(m, kSourceCopy, c, CommonLength(source_, c, target_, p), p);
    tries = 0;
    for (auto c = targetIndex_.first(block); c != BlockIndex::kNone && tries < kChain;
         c = targetIndex_.next(c), ++tries)
      consider(m, kTargetCopy, c, CommonLength(target_, c, target_, p), p);
    return m;
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
    PutBpsNumber(out_, (std::uint64_t{length} - 1) << 2 | action);
    if (action == kTargetRead) out_.append(target_.substr(from, length));
    if (action == kSourceCopy) {
      PutBpsNumber(out_, Relative(from, sourceCursor_));
      sourceCursor_ = from + length;
    }
    if (action == kTargetCopy) {
      PutBpsNumber(out_, Relative(from, targetCursor_));
      targetCursor_ = from + length;
    }
  }

  std::string_view source_;
  std::string_view target_;
  BlockIndex sourceIndex_;
  BlockIndex targetIndex_;
  std::size_t indexed_ = 0;
  std::size_t sourceCursor_ = 0;
  std::size_t targetCursor_ = 0;
  std::string out_;
};

}  // namespace

std::string CreateBps(std::string_view source, std::string_view target) {
  if (source.size() > kBpsSizeLimit || target.size() > kBpsSizeLimit)
    PatchFault("BPS patches are made only for files up to 256 MiB.");
  return BpsWriter(source, target).write();
}

}  // namespace morvane
