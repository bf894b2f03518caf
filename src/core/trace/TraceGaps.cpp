// What the trace from the entry points leaves: code only reached through
// pointers it cannot follow, found by speculative entries that must prove
// themselves, and the BIT skip shown the way a reader expects.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <unordered_map>

#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane {

using namespace op6502;

bool Tracer::bitSkip(std::int32_t a) const {
  const int before = map_.byte(a - 1);
  return (before == kBitAbs || before == kBitZp) && role(a - 1) == kRoleOpcode;
}

void Tracer::showSkips() {
  // A BIT whose operand is itself code is the skip idiom: its opcode byte
  // shows as data so that the code it hides shows as code.
  for (std::int32_t a = 1; a <= 0xFFFF; ++a) {
    if (role(a) == kRoleOpcode && role(a - 1) == kRoleOpcode && bitSkip(a)) {
      setRole(a - 1, kRoleData);
    }
  }
}

bool Tracer::text(std::int32_t a) const {
  // Printable characters up to a terminator: code has opcodes and
  // addresses from 80 up among any four of its bytes.
  constexpr int kLeast = 4;
  for (int n = 0; n < 64; ++n) {
    const int b = map_.byte(a + n);
    if (b == 0x00 || b == 0xFF) return n >= kLeast;
    if (b < 0x20 || b > 0x7E) return false;
  }
  return false;
}

void Tracer::fillGaps(std::int32_t from, std::int32_t to) {
  // 16 KiB seen at 8000 and again at C000: the gaps are those of the half
  // the program runs in; the other half holds the same bytes.
  if (map_.mapped(0x8000) && map_.offset(0x8000) == map_.offset(0xC000)) {
    long low = 0, high = 0;
    for (std::int32_t a = 0x8000; a <= 0xFFFF; ++a) (a < 0xC000 ? low : high) += code(a);
    if (low > high) {
      to = std::min(to, 0xBFFF);
    } else {
      from = std::max(from, 0xC000);
    }
  }
  // What pointers read through lead to is data; code copied to RAM is
  // traced where the program calls the copy.
  traceCopies();
  followPointers(from, to);
  followStoredPointers(from, to);
  followRamTables();
  auto& refs = state_.dataRefs;
  // A table read by an index that counts from 1 or 2 starts after the code
  // its address lies on.
  for (std::size_t i = 0, n = refs.size(); i < n; ++i) {
    const std::int32_t r = refs[i];
    for (std::int32_t d = 1; d <= 2 && code(r) && r + d <= to; ++d) {
      if (!code(r + d)) {
        refs.push_back(r + d);
        break;
      }
    }
  }
  // Read by an index that counts from a character code or the like
  // (lda glyphs - $20,x): the table starts at the first byte past the code
  // its address lies on, within the index's reach. Not so for a copy of
  // code, whose bytes the program reads to copy them.
  constexpr std::int32_t kIndexReach = 0x80;
  for (const std::int32_t r : state_.indexedRefs) {
    const bool copied = std::any_of(state_.copies.begin(), state_.copies.end(),
                                    [&](const RamCopy& c) { return c.rom == r; });
    std::int32_t t = r;
    while (t < to && t - r < kIndexReach && code(t)) ++t;
    if (!copied && t > r + 2 && t - r < kIndexReach && role(t) == kRoleNone) refs.push_back(t);
  }
  std::sort(refs.begin(), refs.end());
  const auto read = [&](std::int32_t a) {
    return std::binary_search(state_.dataRefs.begin(), state_.dataRefs.end(), a);
  };
  // The data a table of pointers read through leads to, up to the next
  // code: a word in it that leads further into it is the record's pointer
  // to more of its data (a level's header to its map) or text that reads
  // as an address, not a pointer to code.
  // Where each stretch of unknown bytes starts (an address's low 16 bits)
  // and whether a byte lies in one; the first record of each by its start.
  // Only the gaps' range of these is ever read, so only it is filled and the
  // pages of the rest are never made.
  const auto run = std::make_unique_for_overwrite<std::uint16_t[]>(0x10000);
  std::vector<bool> unknown(0x10000);
  std::unordered_map<std::uint16_t, std::int32_t> record;
  for (std::int32_t a = from; a <= to; ++a) {
    if (role(a) != kRoleNone) continue;
    const bool after = a > from && unknown[idx(a - 1)];
    run[idx(a)] = after ? run[idx(a - 1)] : static_cast<std::uint16_t>(idx(a));
    unknown[idx(a)] = true;
  }
  for (const std::int32_t r : state_.recordRefs) {
    if (r < from || r > to || !unknown[idx(r)]) continue;
    const auto [at, added] = record.try_emplace(run[idx(r)], r);
    if (!added) at->second = std::min(at->second, r);
  }
  const auto inward = [&](std::int32_t p, std::int32_t w) {
    if (w <= p || !unknown[idx(p)] || !unknown[idx(w)] || run[idx(w)] != run[idx(p)]) return false;
    const auto first = record.find(run[idx(p)]);
    return first != record.end() && first->second <= p;
  };
  // Where the words in what is not code lead: code reached through
  // pointers kept in data.
  std::vector<bool> pointed(0x10000);
  for (std::int32_t p = from; p < to; ++p) {
    const std::int32_t w = map_.word(p);
    if (!code(p) && !code(p + 1) && w >= from && w <= to && !inward(p, w)) pointed[idx(w)] = true;
  }
  // In the bytes after a call whose routine reads them unknown ways: code
  // may follow each zero, the usual end of a script.
  bool script = false;
  for (std::int32_t a = from; a <= to; ++a) {
    const auto& after = state_.unknownAfter;
    script =
        role(a) == kRoleNone && (script || std::find(after.begin(), after.end(), a) != after.end());
    if (role(a) != kRoleNone || !map_.mapped(a)) continue;
    // What the code reads is data up to the next code.
    if (read(a)) {
      while (a < to && role(a + 1) == kRoleNone) ++a;
      continue;
    }
    // A run of one value is fill, not code.
    if (map_.byte(a + 1) == map_.byte(a) && map_.byte(a + 2) == map_.byte(a)) continue;
    // Code starts where the gap starts. Not after a byte that reads as a
    // return or a jump inside it: in data (a map, a tune) those bytes are
    // common, and code after code the trace finds starts a gap anyway.
    const bool boundary = role(a - 1) != kRoleNone || (script && map_.byte(a - 1) == 0x00);
    if (!(boundary || pointed[idx(a)]) || text(a)) continue;
    // A zero in the first instruction's operand would end the script first.
    const int first = map_.byte(a) < 0 ? 1 : length_[map_.byte(a)];
    if (script &&
        ((first >= 2 && map_.byte(a + 1) == 0) || (first == 3 && map_.byte(a + 2) == 0))) {
      continue;
    }
    // Code would not hold a byte the code reads inside its first instruction.
    if (read(a + 1) || read(a + 2)) continue;
    // One lone instruction that leads nowhere known proves nothing, unless
    // a pointer leads to it right after other code.
    trace(a, true, pointed[idx(a)] && code(a - 1) ? 1 : 2);
    resolveTables();
  }
  // Two words in a row in what is not code, each the address of known code
  // or of a place nothing reached that looks like code: a table of handlers.
  const auto unreached = [&](std::int32_t t) {
    return t >= from && t <= to && role(t) == kRoleNone && !read(t) && !text(t) &&
           plausibleTarget(t);
  };
  for (std::int32_t p = from; p + 3 <= to; ++p) {
    if (code(p) || code(p + 1) || code(p + 2) || code(p + 3)) continue;
    const std::int32_t first = map_.word(p);
    const std::int32_t second = map_.word(p + 2);
    const bool newFirst = unreached(first) && !inward(p, first);
    const bool newSecond = unreached(second) && !inward(p + 2, second);
    const auto known = [&](std::int32_t t) { return t >= 0 && role(t) == kRoleOpcode; };
    if (first == second || !(newFirst || known(first)) || !(newSecond || known(second)) ||
        !(newFirst || newSecond)) {
      continue;
    }
    if (newFirst) trace(first, true, 2);
    if (newSecond) trace(second, true, 2);
    resolveTables();
  }
}

}  // namespace morvane
