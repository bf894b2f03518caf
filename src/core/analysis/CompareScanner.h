// The walk of a file compare: both files side by side from one position to
// the end of the shorter, every difference listed, runs of differences set
// apart by dividers that show how far apart they lie.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/InStream.h"
#include "shell/JobHost.h"
#include "shell/OutFile.h"

namespace morvane {

using TextMap = std::array<std::string, 256>;

class CompareScanner {
 public:
  // map1 and map2 decode the bytes of file 1 and file 2 while the host's
  // Show Strings box is checked; nullptr when no tables were loaded.
  CompareScanner(JobHost& host, OutFile& out, const TextMap* map1, const TextMap* map2);

  // Compares from file offset start to the end of the shorter file, or until
  // Cancel is seen at one of the 2048-byte steps.
  void run(InStream& file1, InStream& file2, std::int64_t start);
  // The report's closing lines and the final status text, which says when
  // the files differ in length (their sizes in bytes).
  void finish(bool cancelled, std::int64_t size1, std::int64_t size2);

  std::int64_t position() const { return position_; }
  std::int64_t differences() const { return differences_; }

 private:
  bool showing() const { return map1_ != nullptr && host_.showStrings(); }
  void walk(const std::uint8_t* a, const std::uint8_t* b, std::size_t count);
  void difference(std::int64_t position, std::uint8_t a, std::uint8_t b);
  void writeTexts();

  JobHost& host_;
  OutFile& out_;
  const TextMap* map1_;
  const TextMap* map2_;
  std::int64_t position_ = 0;
  std::int64_t differences_ = 0;
  std::int64_t gap_ = 1000;  // equal bytes since the last difference
  std::string text1_;
  std::string text2_;
};

}  // namespace morvane
