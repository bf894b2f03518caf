#include "analysis/CompareLines.h"

#include "shell/OutFile.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendZoned(std::string& line, std::string_view item) {
  line += item;
  line.append(kZone - line.size() % kZone, ' ');
}

}  // namespace

std::string PrintZones(std::initializer_list<std::string_view> items) {
  std::string line;
  std::size_t left = items.size();
  for (std::string_view item : items) {
    if (--left == 0) {
      line += item;
    } else {
      AppendZoned(line, item);
    }
  }
  return line;
}

void WriteCompareHeader(OutFile& out, const std::string& path1, const std::string& path2,
                        std::int64_t start) {
  WriteBanner(out);
  out.line("--------------------");
  out.line("Differences between");
  out.line("File 1: " + FileNameOf(path1));
  out.line("and");
  out.line("File 2: " + FileNameOf(path2));
  out.line("Starting at byte " + Hex(start));
  out.line();
  out.line(PrintZones({"Address", "File1", "File2"}));
}

DifferenceLine::DifferenceLine(std::int64_t position, std::uint8_t a, std::uint8_t b) {
  char digits[16];
  int count = 0;
  auto value = static_cast<std::uint64_t>(position);
  do {
    digits[count++] = kHexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0 || count < 4);
  while (count > 0) text_[size_++] = digits[--count];
  text_[size_++] = ':';
  pad();
  put(a);
  pad();
  put(b);
}

void DifferenceLine::pad() {
  do {
    text_[size_++] = ' ';
  } while (size_ % kZone != 0);
}

void DifferenceLine::put(std::uint8_t v) {
  text_[size_++] = kHexDigits[v >> 4];
  text_[size_++] = kHexDigits[v & 0xF];
}

}  // namespace morvane
