// The lines of the compare report: print zones, the heading, difference lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace morvane {

class OutFile;

inline constexpr std::size_t kZone = 14;

// Items in print zones of 14 columns: every item but the last is padded with
// blanks to the next zone; the last one ends the line.
std::string PrintZones(std::initializer_list<std::string_view> items);

// The report's heading, from the banner down to the column line.
void WriteCompareHeader(OutFile& out, const std::string& path1, const std::string& path2,
                        std::int64_t start);

// The difference line: the position (at least four hex digits) and a colon,
// then the two bytes, in their zones. Built without allocating: it is written
// once per differing byte.
class DifferenceLine {
 public:
  DifferenceLine(std::int64_t position, std::uint8_t a, std::uint8_t b);
  std::string_view text() const { return {text_, size_}; }

 private:
  void pad();
  void put(std::uint8_t v);
  char text_[3 * kZone + 8];
  std::size_t size_ = 0;
};

}  // namespace morvane
