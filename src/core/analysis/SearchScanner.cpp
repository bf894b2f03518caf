#include "analysis/SearchScanner.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "analysis/KanaTables.h"
#include "analysis/WindowStream.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {
constexpr const char* kRule = "--------------------";
constexpr int kLatinLetters = 26;
}  // namespace

SearchScanner::SearchScanner(const SearchWord& word, JobHost& host, OutFile& out)
    : word_(word), host_(host), out_(out), n_(word.codes.size()), difference_(n_, 0) {
  for (std::size_t i = 1; i < n_; ++i) difference_[i] = word.codes[i] - word.codes[0];
}

bool SearchScanner::matchesFrom(const std::uint8_t* window) const {
  const int first = window[0];
  for (std::size_t i = 2; i < n_; ++i) {
    if (window[i] - first != difference_[i]) return false;
  }
  return true;
}

void SearchScanner::scan(const std::uint8_t* bytes, std::int64_t count) {
  // The second byte rules out almost every window; the rest is checked only
  // when it fits.
  const int d1 = difference_[1];
  std::int64_t i = 0;
#if defined(__SSE2__)
  // Sixteen windows at a time: their second bytes minus their first, modulo
  // 256, against the first distance; the few that agree are checked in full.
  const __m128i want = _mm_set1_epi8(static_cast<char>(d1));
  for (; i + 16 <= count; i += 16) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i + 1));
    auto mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_sub_epi8(second, first), want)));
    while (mask != 0) {
      const std::int64_t at = i + std::countr_zero(mask);
      mask &= mask - 1;
      if (bytes[at + 1] - bytes[at] == d1 && matchesFrom(bytes + at)) {
        onHit(bytes + at, offset_ + at);
      }
    }
  }
#endif
  for (; i < count; ++i) {
    if (bytes[i + 1] - bytes[i] != d1) continue;
    if (matchesFrom(bytes + i)) onHit(bytes + i, offset_ + i);
  }
}

void SearchScanner::run(InStream& in, std::int64_t start) {
  if (!StreamWindows(in, start, n_, offset_, host_, lastMatch_,
                     [&](const std::uint8_t* bytes, std::int64_t count) { scan(bytes, count); })) {
    throw JobError(kErrPastEnd, {},
                   in.path() + " holds " + std::to_string(in.size()) +
                       " bytes: too few to search from file offset " + Hex(start) + "h for " +
                       std::to_string(n_) + " letters.");
  }
}

void SearchScanner::onHit(const std::uint8_t* window, std::int64_t offset) {
  ++hits_;
  std::string line =
      std::to_string(hits_) + " " + word_.word + " found @ " + HexOffset(offset) + " = ";
  line.append(reinterpret_cast<const char*>(window), n_);
  line += " = ";
  for (std::size_t i = 0; i < n_; ++i) {
    if (i > 0) line += '_';
    line += HexByte(window[i]);
  }
  lastMatch_ = std::move(line);
  // The byte that stands for A, or for the first kana.
  const int base = window[0] - word_.codes[0] + (word_.kana ? 0 : 'A');
  const int last = word_.kana ? kKanaCount - 1 : kLatinLetters - 1;
  if (base < 0 || base + last > 255) return;
  host_.setStatus("Searching " + Hex(offset) + ": " + lastMatch_);
  out_.line(lastMatch_);
  writeListing(base);
  out_.line(kRule);
}

void SearchScanner::writeListing(int base) {
  if (!word_.kana) {
    const char caseBase = word_.lowerCase ? 'a' : 'A';
    for (int k = 0; k < kLatinLetters; ++k) {
      out_.line(HexByte(base + k) + "=" + static_cast<char>(caseBase + k));
    }
    return;
  }
  const KanaTables& kana = InitKanaTables();
  for (int k = 0; k < kKanaCount; ++k) {
    std::string name = kana.names[k];
    if (word_.lowerCase) {
      name = LowerCase(name);
    } else if (word_.katakana) {
      name = UpperCase(name);
    }
    out_.line(HexByte(base + k) + "=" + name);
  }
  out_.line();
  for (int k = 0; k < kKanaCount; ++k) {
    out_.line(HexByte(base + k) + "=" + KanaBytes(k, word_.shiftJis, word_.katakana));
  }
}

}  // namespace morvane
