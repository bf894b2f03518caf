// Character tables (.tbl): byte values to the text they stand for, the four
// control bytes, glyph widths, the compare display map and the encoding list.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {

// The UTF-8 bytes of the down arrow (U+2193), taken as single-byte characters.
inline constexpr std::string_view kDownArrowMarker = "\xE2\x86\x93";
// The same arrow in Shift-JIS.
inline constexpr std::string_view kShiftJisDownArrow = "\x81\xAB";
inline constexpr std::string_view kNewPageText = "\\_/";

struct CharTable {
  std::array<std::string, 256> text{};
  std::array<std::int16_t, 256> glyphWidth{};
  int endPhraseByte = -1;
  int newLineByte = -1;
  int endPhrase2Byte = -1;
  std::string endPhrase2Text;
  int newPageByte = -1;
};

using CompareText = std::array<std::string, 256>;

// True for the three alternate end-of-phrase marks: \/ and the two down arrows.
bool IsEndPhrase2Mark(std::string_view text);

// Reads a .tbl file; throws JobError when it can't be read or a width overflows.
CharTable ReadTableFile(const std::string& path);
CharTable ParseTable(std::string bytes);
CompareText ReadCompareTableFile(const std::string& path);
CompareText ParseCompareTable(std::string bytes);

// Text-to-byte list: longest text first, then by ascending byte value.
class EncodingList {
 public:
  explicit EncodingList(const CharTable& table);

  const std::vector<std::pair<std::string, std::uint8_t>>& pairs() const { return pairs_; }
  // The byte of the first pair whose text starts line at pos, and its text's
  // length; -1 (and length 0) when no text matches.
  int match(std::string_view line, std::size_t pos, std::size_t& length) const;

 private:
  std::vector<std::pair<std::string, std::uint8_t>> pairs_;
};

}  // namespace morvane
