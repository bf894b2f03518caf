// The tracer over any ROM bytes, the whole ROM and then a block: the first
// byte picks the block and its base, the next two an entry point, the rest
// is the file.
#include "FuzzSupport.h"
#include "dump/Definitions.h"
#include "trace/RomTrace.h"
#include "trace/TraceCode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
    return ShapesOf(ops);
  }();
  if (size < 3) return 0;
  const int block = data[0] & 7;
  const std::int32_t base = (data[0] & 8) != 0 ? 0xC000 : 0x8000;
  const std::int32_t entry = data[1] | data[2] << 8;
  const std::string rom(reinterpret_cast<const char*>(data + 3), size - 3);
  // The whole ROM first, as the dump does: what enters the block.
  const RomTrace whole = TraceWholeRom(rom, shapes);
  TraceRequest request{
      rom,     base - 16 - 0x4000LL * block, base, base, base + 0x3FFF, {entry}, {},
      nullptr, whole.into(block, base),      true};
  TraceCode(request, shapes);
  return 0;
}
