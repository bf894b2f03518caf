#include "analysis/CompareScanner.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "analysis/CompareLines.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::int64_t kStep = 2048;
const std::string kEquals(61, '=');
const std::string kHyphens(61, '-');
constexpr std::string_view kShortDivider = "------";

// Index of the first byte at or after from where a and b differ; count when
// they agree to the end.
std::size_t FirstDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t from,
                            std::size_t count) {
  std::size_t i = from;
  for (; i + 8 <= count; i += 8) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (const std::uint64_t d = x ^ y; d != 0) {
      const int bit =
          std::endian::native == std::endian::little ? std::countr_zero(d) : std::countl_zero(d);
      return i + static_cast<std::size_t>(bit / 8);
    }
  }
  while (i < count && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

CompareScanner::CompareScanner(JobHost& host, OutFile& out, const TextMap* map1,
                               const TextMap* map2)
    : host_(host), out_(out), map1_(map2 != nullptr ? map1 : nullptr), map2_(map2) {}

void CompareScanner::run(InStream& file1, InStream& file2, std::int64_t start) {
  position_ = start;
  file1.seek(start);
  file2.seek(start);
  if (host_.cancelRequested()) return;
  std::vector<std::uint8_t> a(kStreamChunk);
  std::vector<std::uint8_t> b(kStreamChunk);
  while (true) {
    const std::size_t got1 = file1.read(a.data(), kStreamChunk);
    const std::size_t got2 = file2.read(b.data(), kStreamChunk);
    const std::size_t count = std::min(got1, got2);
    for (std::size_t i = 0; i < count;) {
      const auto toStep = static_cast<std::size_t>(kStep - position_ % kStep);
      const std::size_t n = std::min(count - i, toStep);
      walk(a.data() + i, b.data() + i, n);
      i += n;
      if (position_ % kStep == 0) {
        host_.setStatus(std::to_string(position_ / 1024) + "kB: " + std::to_string(differences_) +
                        " differences");
        host_.yield();
        if (host_.cancelRequested()) return;
      }
    }
    if (count < kStreamChunk) return;  // the shorter file has ended
  }
}

void CompareScanner::walk(const std::uint8_t* a, const std::uint8_t* b, std::size_t count) {
  std::size_t i = 0;
  while (i < count) {
    if (a[i] != b[i]) {
      difference(position_ + static_cast<std::int64_t>(i), a[i], b[i]);
      ++i;
      continue;
    }
    if (gap_ == 0 && showing()) writeTexts();
    const std::size_t next = FirstDifference(a, b, i, count);
    gap_ += static_cast<std::int64_t>(next - i);
    i = next;
  }
  position_ += static_cast<std::int64_t>(count);
}

void CompareScanner::difference(std::int64_t position, std::uint8_t a, std::uint8_t b) {
  if (gap_ >= 17) {
    out_.line(kEquals);
  } else if (gap_ >= 3) {
    out_.line(kHyphens);
  } else if (gap_ >= 1) {
    out_.line(kShortDivider);
  }
  if (showing()) {
    text1_ += (*map1_)[a];
    text2_ += (*map2_)[b];
  }
  out_.line(DifferenceLine(position, a, b).text());
  ++differences_;
  gap_ = 0;
}

void CompareScanner::writeTexts() {
  out_.line(PrintZones({"File1:", text1_}));
  out_.line(PrintZones({"File2:", text2_}));
  text1_.clear();
  text2_.clear();
}

void CompareScanner::finish(bool cancelled, std::int64_t size1, std::int64_t size2) {
  if (gap_ == 0 && showing()) writeTexts();
  std::string status = "Done: ";
  if (cancelled) {
    out_.line("CANCELED at " + HexWord(position_));
    status = "Canceled at " + HexWord(position_) + ": ";
  }
  status += std::to_string(differences_) + " differences";
  // Bytes only the longer file has are not compared: say so rather than
  // let the count pass for the whole story.
  if (!cancelled && size1 != size2) {
    status += "; the files differ in length (" + std::to_string(size1) + " and " +
              std::to_string(size2) + " bytes)";
  }
  host_.setStatus(status);
  out_.line(kHyphens);
  out_.line(status);
}

}  // namespace morvane
