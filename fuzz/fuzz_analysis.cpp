// Relative search and compare over any bytes: the first byte picks the job
// and the word; the rest is split into two files for compare.
#include <string>

#include "FuzzSupport.h"
#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "shell/QuietHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  if (size < 1) return 0;
  static const char* const kWords[] = {"THE", "the",   "jkana", "jskatakana",
                                       "AB",  "xyzzy", "jnnn",  "Q"};
  const std::uint8_t knobs = data[0];
  const std::size_t half = (size - 1) / 2;
  QuietHost host;
  host.showStringsBox = (knobs & 0x10) != 0;
  host.files[Dialog::OpenNES] = {fuzz::WriteInput("one.bin", data + 1, half),
                                 fuzz::WriteInput("two.bin", data + 1 + half, size - 1 - half)};
  host.files[Dialog::OpenTBL] = {std::string(MORVANE_SOURCE_SAMPLES_DIR) + "/sample.tbl"};
  Settings settings;
  settings.header = (knobs & 0x20) != 0;
  settings.searchText = kWords[knobs & 7];
  if (knobs & 0x08) {
    CompareJob(settings, host);
  } else {
    SearchJob(settings, host);
  }
  return 0;
}
