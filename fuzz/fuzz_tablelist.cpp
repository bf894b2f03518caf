// The Table List reader over any bytes; the first two bytes pick the dump's End.
#include "FuzzSupport.h"
#include "dump/TableList.h"
#include "shell/JobError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  if (size < 2) return 0;
  const std::int32_t end = data[0] << 8 | data[1];
  static TableMap* map = new TableMap();
  *map = MakeTableMap();
  NameTable names;
  try {
    ReadTableList(fuzz::WriteInput("tables.txt", data + 2, size - 2), end, *map, names);
  } catch (const JobError&) {
  }
  return 0;
}
