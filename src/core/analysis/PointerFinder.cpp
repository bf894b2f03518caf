#include "analysis/PointerFinder.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace morvane {

namespace {

constexpr int kMaxNeighbours = 64;  // looked at on each side
constexpr std::int64_t kMaxSplitDistance = 0x800;
constexpr int kMaxStride = 4;
constexpr std::size_t kMaxListed = 16;
constexpr int kMaxGap = 0x1000;  // between neighbouring entries of a table
constexpr int kMinSplit = 4;     // entries a split table must show

struct Window {
  std::int32_t from;
  std::int32_t to;  // one past the end
  bool holds(int value) const { return value >= from && value < to; }
};

int At(const std::string& rom, std::int64_t i) {
  return i >= 0 && i < static_cast<std::int64_t>(rom.size())
             ? static_cast<unsigned char>(rom[static_cast<std::size_t>(i)])
             : -1;
}

int WordAt(const std::string& rom, std::int64_t low, std::int64_t high) {
  const int l = At(rom, low);
  const int h = At(rom, high);
  return l < 0 || h < 0 ? -1 : h << 8 | l;
}

// How far the table runs on either side of the pointer at (low, high).
FoundPointer Table(const std::string& rom, const Window& w, std::int64_t low, std::int64_t high,
                   int stride, bool split) {
  FoundPointer p{split, low, high, stride, low, 1, 0, 1, 0};
  const int own = WordAt(rom, low, high);
  std::set<int> values{own};
  // A neighbour leads into the window, near the entry next to it: the
  // phrases of one table lie close together.
  const auto near = [&w](int value, int next) {
    return w.holds(value) && std::abs(value - next) <= kMaxGap;
  };
  for (int k = 1, next = own; k <= kMaxNeighbours; ++k) {
    const int value = WordAt(rom, low - k * stride, high - k * stride);
    if (!near(value, next)) break;
    ++p.count;
    ++p.index;
    p.first = low - k * stride;
    values.insert(next = value);
  }
  for (int k = 1, next = own; k <= kMaxNeighbours; ++k) {
    const int value = WordAt(rom, low + k * stride, high + k * stride);
    if (!near(value, next)) break;
    ++p.count;
    values.insert(next = value);
  }
  p.distinct = static_cast<int>(values.size());
  // Text is mostly laid out in the order of its pointers.
  for (int k = 0; k + 1 < p.count; ++k) {
    const std::int64_t at = p.first - low + std::int64_t{k} * stride;
    if (WordAt(rom, low + at + stride, high + at + stride) > WordAt(rom, low + at, high + at)) {
      ++p.ascending;
    }
  }
  return p;
}

std::vector<std::int64_t> Places(const std::string& rom, int value) {
  std::vector<std::int64_t> places;
  for (std::size_t i = rom.find(static_cast<char>(value)); i != std::string::npos;
       i = rom.find(static_cast<char>(value), i + 1)) {
    places.push_back(static_cast<std::int64_t>(i));
  }
  return places;
}

}  // namespace

BankLayout LayoutOf(int mapper, std::int64_t prgOffset, std::int64_t prgSize) {
  BankLayout l;
  l.prgOffset = prgOffset;
  switch (mapper) {
    case 0:
    case 3:
      l.bankSize = prgSize <= 0x4000 ? 0x4000 : 0x8000;
      l.bases = prgSize <= 0x4000 ? std::vector<std::int32_t>{0x8000, 0xC000}
                                  : std::vector<std::int32_t>{0x8000};
      break;
    case 1:
    case 2:
    case 10:
    case 71:
      l.bankSize = 0x4000;
      l.bases = {0x8000, 0xC000};
      break;
    case 7:
    case 11:
    case 66:
      l.bankSize = 0x8000;
      l.bases = {0x8000};
      break;
    default:
      l.bankSize = 0x2000;
      l.bases = {0x8000, 0xA000, 0xC000, 0xE000};
      break;
  }
  l.describe = (mapper < 0 ? std::string("no iNES header") : "mapper " + std::to_string(mapper)) +
               ", " + std::to_string(l.bankSize / 1024) + " KiB banks";
  return l;
}

std::int32_t CpuOf(const BankLayout& layout, std::int32_t base, std::int64_t offset) {
  const std::int64_t inPrg = std::max<std::int64_t>(offset - layout.prgOffset, 0);
  return static_cast<std::int32_t>(base + inPrg % layout.bankSize);
}

std::vector<PointerTarget> FindPointersTo(const std::string& rom, const BankLayout& layout,
                                          std::int64_t offset) {
  std::vector<PointerTarget> targets;
  for (const std::int32_t base : layout.bases) {
    PointerTarget t{CpuOf(layout, base, offset), base, {}};
    const Window w{base, static_cast<std::int32_t>(base + layout.bankSize)};
    const int lo = t.cpu & 0xFF;
    const int hi = t.cpu >> 8;
    const std::vector<std::int64_t> lows = Places(rom, lo);
    const std::vector<std::int64_t> highs = Places(rom, hi);
    std::vector<std::pair<std::int64_t, std::int64_t>> words;  // the bytes of word tables
    for (const std::int64_t i : lows) {
      if (At(rom, i + 1) != hi) continue;
      t.pointers.push_back(Table(rom, w, i, i + 1, 2, false));
      if (t.pointers.back().count > 1) {
        words.emplace_back(t.pointers.back().first,
                           t.pointers.back().first + 2 * std::int64_t{t.pointers.back().count});
      }
    }
    // A byte of a word table is not also a byte of a split one.
    const auto inWords = [&words](std::int64_t at) {
      return std::any_of(words.begin(), words.end(),
                         [at](const auto& span) { return at >= span.first && at < span.second; });
    };
    // Split tables: the same index in two tables, counted only with neighbours.
    for (const std::int64_t i : lows) {
      const auto from = std::lower_bound(highs.begin(), highs.end(), i - kMaxSplitDistance);
      for (auto j = from; j != highs.end() && *j <= i + kMaxSplitDistance; ++j) {
        if (*j == i + 1 || *j == i - 1 || *j == i) continue;
        for (int stride = 1; stride <= kMaxStride; ++stride) {
          // An even stride and an odd distance read an interleaved table askew.
          if (stride % 2 == 0 && (*j - i) % 2 != 0) continue;
          const FoundPointer p = Table(rom, w, i, *j, stride, true);
          // Two tables of the same length that do not overlap.
          if (p.count >= kMinSplit && std::abs(*j - i) >= std::int64_t{p.count} * stride &&
              !inWords(i) && !inWords(*j)) {
            t.pointers.push_back(p);
          }
        }
      }
    }
    std::stable_sort(t.pointers.begin(), t.pointers.end(),
                     [](const FoundPointer& a, const FoundPointer& b) {
                       if (a.count != b.count) return a.count > b.count;
                       if (a.ascending != b.ascending) return a.ascending > b.ascending;
                       return a.distinct > b.distinct;
                     });
    if (t.pointers.size() > kMaxListed) t.pointers.resize(kMaxListed);
    targets.push_back(std::move(t));
  }
  return targets;
}

}  // namespace morvane
