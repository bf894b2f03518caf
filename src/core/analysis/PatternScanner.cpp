#include "analysis/PatternScanner.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "analysis/WindowStream.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

PatternScanner::PatternScanner(const SearchPattern& pattern, JobHost& host,
                               const std::string& lastMatch)
    : pattern_(pattern), host_(host), lastMatch_(lastMatch) {
  const auto width = static_cast<std::size_t>(pattern.width);
  for (std::size_t i = 0; i < pattern.slots(); ++i) {
    const int r = pattern.range[i];
    if (r == kAnyChar) continue;
    const auto ri = static_cast<std::size_t>(r);
    if (!used_[ri]) {
      used_[ri] = true;
      anchor_[ri] = i * width;
      anchorCode_[ri] = pattern.code[i];
    } else {
      tests_.push_back({i * width, anchor_[ri], pattern.code[i] - anchorCode_[ri]});
    }
  }
  // The pattern has at least one test (BuildSearchPattern sees to it).
  const std::size_t low = pattern.width == 2 && pattern.bigEndian ? 1 : 0;
  lowFrom_ = tests_.front().from + low;
  lowAt_ = tests_.front().at + low;
  lowDistance_ = static_cast<std::uint8_t>(tests_.front().distance & 0xFF);
}

std::int64_t PatternScanner::codeAt(const std::uint8_t* window, std::size_t byte) const {
  if (pattern_.width == 1) return window[byte];
  const int first = window[byte], second = window[byte + 1];
  return pattern_.bigEndian ? first << 8 | second : second << 8 | first;
}

bool PatternScanner::matches(const std::uint8_t* window, Relation& relation) const {
  for (const Test& t : tests_) {
    if (codeAt(window, t.at) - codeAt(window, t.from) != t.distance) return false;
  }
  std::array<std::int64_t, 2> size{};
  for (std::size_t r = 0; r < 2; ++r) {
    relation[r] = used_[r] ? codeAt(window, anchor_[r]) - anchorCode_[r] : kNoBase;
    if (!used_[r] || pattern_.numbers) continue;
    size[r] = static_cast<std::int64_t>(pattern_.ranges[r].entries.size());
    if (relation[r] < 0 || relation[r] + size[r] - 1 > pattern_.maxCode()) return false;
  }
  // Two ranges in use never share a code.
  if (used_[0] && used_[1] && relation[0] < relation[1] + size[1] &&
      relation[1] < relation[0] + size[0]) {
    return false;
  }
  return true;
}

void PatternScanner::scan(const std::uint8_t* bytes, std::int64_t count, const OnHit& onHit) {
  Relation relation{};
  const auto check = [&](std::int64_t i) {
    if (matches(bytes + i, relation)) onHit(bytes + i, offset_ + i, relation);
  };
  const std::uint8_t* from = bytes + lowFrom_;
  const std::uint8_t* at = bytes + lowAt_;
  std::int64_t i = 0;
#if defined(__SSE2__)
  // Sixteen windows at a time: the low bytes of the first test's two codes,
  // their difference modulo 256 against the test's; the few that agree are
  // checked in full.
  const __m128i want = _mm_set1_epi8(static_cast<char>(lowDistance_));
  for (; i + 16 <= count; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + i));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_sub_epi8(b, a), want)));
    while (mask != 0) {
      check(i + std::countr_zero(mask));
      mask &= mask - 1;
    }
  }
#endif
  for (; i < count; ++i) {
    if (static_cast<std::uint8_t>(at[i] - from[i]) == lowDistance_) check(i);
  }
}

void PatternScanner::run(InStream& in, std::int64_t start, const OnHit& onHit) {
  const bool read = StreamWindows(
      in, start, pattern_.windowBytes(), offset_, host_, lastMatch_,
      [&](const std::uint8_t* bytes, std::int64_t count) { scan(bytes, count, onHit); });
  if (!read) throw JobError(kErrPastEnd);
}

}  // namespace morvane
