// Character tables: both readers and the encoder over any bytes.
#include <string>

#include "shell/JobError.h"
#include "tables/CharTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const morvane::CharTable table = morvane::ParseTable(bytes);
    const morvane::EncodingList list(table);
    std::size_t length = 0;
    for (std::size_t pos = 0; pos < bytes.size(); pos += length == 0 ? 1 : length) {
      list.match(bytes, pos, length);
    }
  } catch (const morvane::JobError&) {
  }
  morvane::ParseCompareTable(bytes);
  return 0;
}
