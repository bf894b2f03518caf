// What a classic listing learns about each CPU address while it is made: the
// label and reference marks, sub-table notes and a copy of the ROM's bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace morvane {

enum CodeMark : std::uint16_t {
  kCodeLabel = 1 << 0,
  kTableLabel = 1 << 1,
  kWriteTableRef = 1 << 2,
  kReadVarRef = 1 << 3,
  kWriteVarRef = 1 << 4,
  kKnownCode = 1 << 5,
  kBlockStart = 1 << 6,
  kAddressMark = 1 << 7,
  kBadRunStart = 1 << 8,
};

class CodeMarks {
 public:
  // Addresses 0..FFFF plus the few past the top an operand can reach.
  static constexpr std::int32_t kSlots = 0x10003;

  bool has(std::int32_t a, CodeMark m) const { return valid(a) && (marks_[idx(a)] & m) != 0; }
  void set(std::int32_t a, CodeMark m) {
    if (valid(a)) marks_[idx(a)] |= m;
  }
  // Comment lines in front of a sub-table, each ending in CR LF.
  const std::string& note(std::int32_t a) const {
    if (notes_.empty()) return empty_;
    const auto it = notes_.find(a);
    return it == notes_.end() ? empty_ : it->second;
  }
  void appendNote(std::int32_t a, const std::string& text) {
    if (valid(a)) notes_[a] += text;
  }
  std::uint8_t rom(std::int32_t a) const { return valid(a) ? rom_[idx(a)] : 0; }
  void setRom(std::int32_t a, std::uint8_t b) {
    if (valid(a)) rom_[idx(a)] = b;
  }
  static bool valid(std::int32_t a) { return a >= 0 && a < kSlots; }
  // Every address, in order, that carries one of the marks in mask.
  std::vector<std::int32_t> marked(std::uint16_t mask) const {
    std::vector<std::int32_t> found;
    const std::uint64_t wide = mask * 0x0001000100010001ull;
    std::size_t a = 0;
    // Four marks at a time: most addresses carry none.
    for (; a + 4 <= marks_.size(); a += 4) {
      std::uint64_t four;
      std::memcpy(&four, &marks_[a], sizeof four);
      if ((four & wide) == 0) continue;
      for (std::size_t k = a; k < a + 4; ++k) {
        if (marks_[k] & mask) found.push_back(static_cast<std::int32_t>(k));
      }
    }
    for (; a < marks_.size(); ++a) {
      if (marks_[a] & mask) found.push_back(static_cast<std::int32_t>(a));
    }
    return found;
  }
  // Copies count bytes to the ROM copy from address a on (a in 0..kSlots-1),
  // as far as the slots go.
  void setRomRange(std::int32_t a, const char* bytes, std::size_t count) {
    count = std::min(count, rom_.size() - idx(a));
    std::memcpy(rom_.data() + idx(a), bytes, count);
  }

 private:
  static std::size_t idx(std::int32_t a) { return static_cast<std::size_t>(a); }

  std::vector<std::uint16_t> marks_ = std::vector<std::uint16_t>(kSlots);
  // Few addresses carry notes: kept apart from the per-address arrays.
  std::unordered_map<std::int32_t, std::string> notes_;
  std::vector<std::uint8_t> rom_ = std::vector<std::uint8_t>(kSlots);
  std::string empty_;
};

}  // namespace morvane
