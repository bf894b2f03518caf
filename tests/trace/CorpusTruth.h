// What each byte of a corpus ROM is, from ld65's debug file: instructions,
// data, or fill that no segment holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane::test {

enum class Truth : std::uint8_t { Fill, Code, Data };

// Per file offset of the ROM (size bytes). Spans the assembler marked with a
// data type are data; other spans take their segment's kind (segments named
// like code hold code, the rest data); bytes outside every segment are fill.
// mapText, ld65's map file (may be empty), names what the library modules,
// which carry no line information, keep as data in their code segments.
// Lines of the assembler sources (names taken from sourceDir when relative)
// with data directives the debug file gives no type are data too.
std::vector<Truth> ReadTruth(const std::string& dbgText, std::size_t size,
                             const std::string& mapText = {}, const std::string& sourceDir = ".");

struct Figures {
  long code = 0, codeRight = 0, data = 0, dataRight = 0;
  void add(const Figures& o) {
    code += o.code;
    codeRight += o.codeRight;
    data += o.data;
    dataRight += o.dataRight;
  }
  double codePct() const { return code ? 100.0 * codeRight / code : 100.0; }
  double dataPct() const { return data ? 100.0 * dataRight / data : 100.0; }
  double allPct() const {
    return code + data ? 100.0 * (codeRight + dataRight) / (code + data) : 100.0;
  }
};

// Scores a Table List over the dumped range: a byte inside a row is shown as
// data, any other byte as code.
Figures Score(const std::string& tablesText, const std::vector<Truth>& truth, std::int64_t origin,
              std::int32_t start, std::int32_t end);

}  // namespace morvane::test
